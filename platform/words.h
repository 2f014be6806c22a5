#pragma once
// What the player reads or hears as words: the text of each screen, its
// choices, the option the keyboard or pad highlights, and the continue
// prompts. The game tells them as it draws; a terminal prints them, a voice
// speaks them, a test records them.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Words {
public:
    virtual ~Words() = default;
    // A paragraph or a line of the screen, or the words of a picture.
    virtual void text(std::string_view words) = 0;
    // The screen's menu: its heading and its options, numbered from 1.
    virtual void choices(std::string_view heading, const std::vector<std::string>& options) = 0;
    // The keyboard or pad moved the highlight to option `number`.
    virtual void highlight(int number, std::string_view option) = 0;
    // The screen waits for the player to go on.
    virtual void prompt(std::string_view text) = 0;
    // Stops whatever is being said (a voice turned off).
    virtual void hush() {}
};

// A player who also answers in words: the terminal.
class WordsPlayer : public Words {
public:
    // The option chosen, 1..count; nothing when the player quits.
    virtual std::optional<int> read_choice(int count) = 0;
    // False when the player quits instead of going on.
    virtual bool read_continue() = 0;
};

// Where the game's words go: to the player who answers in words, and to the
// voice while it is on. Either may be missing; then the words go nowhere.
class WordsHub final : public Words {
public:
    void text(std::string_view words) override;
    void choices(std::string_view heading, const std::vector<std::string>& options) override;
    void highlight(int number, std::string_view option) override;
    void prompt(std::string_view text) override;

    void set_player(std::unique_ptr<WordsPlayer> player) { player_ = std::move(player); }
    WordsPlayer* player() const { return player_.get(); }

    void set_voice(std::unique_ptr<Words> voice, bool on);
    Words* voice() const { return voice_.get(); }
    bool voice_on() const { return voice_ && voice_on_; }
    // Turns the voice on or off, making it first when there is none yet;
    // the screen shown now is read again when it comes on.
    void toggle_voice();
    // Makes the voice when toggle_voice needs one.
    std::function<std::unique_ptr<Words>()> make_voice;

    // Forgets the player, the voice and the screen (a new run of the game).
    void clear();

private:
    struct Told {
        enum class Kind { text, choices, prompt } kind;
        std::string words;
        std::vector<std::string> options;
    };
    void remember(Told told);
    void tell(Words& listener, const Told& told) const;

    std::unique_ptr<WordsPlayer> player_;
    std::unique_ptr<Words> voice_;
    bool voice_on_ = false;
    std::vector<Told> screen_;  // what the screen shown now has told so far
    bool screen_complete_ = false;
};

// The process's hub (in the installed services).
WordsHub& words();

// The terminal: prints to standard output wrapped to the terminal's width and
// reads the player's answers from standard input (a pipe works too).
std::unique_ptr<WordsPlayer> make_terminal_words();

// The speech service's voice. It connects at once, on its own thread; when no
// service answers it stays silent and hands one line to `log` (on the game's
// thread, with the next words told). Nothing it does waits for speech.
std::unique_ptr<Words> make_speech_words(std::function<void(std::string_view)> log);

}  // namespace platform
