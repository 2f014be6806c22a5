#include "platform/words.h"

#include "platform/services.h"

namespace platform {

void WordsHub::text(std::string_view words) { remember({Told::Kind::text, std::string(words), {}}); }

void WordsHub::choices(std::string_view heading, const std::vector<std::string>& options) {
    remember({Told::Kind::choices, std::string(heading), options});
}

void WordsHub::highlight(int number, std::string_view option) {
    if (player_) player_->highlight(number, option);
    if (voice_on()) voice_->highlight(number, option);
}

void WordsHub::prompt(std::string_view text) { remember({Told::Kind::prompt, std::string(text), {}}); }

void WordsHub::remember(Told told) {
    // A menu or a prompt ends a screen; whatever comes next starts the next one.
    if (screen_complete_) screen_.clear();
    screen_complete_ = told.kind != Told::Kind::text;
    if (player_) tell(*player_, told);
    if (voice_on()) tell(*voice_, told);
    screen_.push_back(std::move(told));
}

void WordsHub::tell(Words& listener, const Told& told) const {
    switch (told.kind) {
    case Told::Kind::text: listener.text(told.words); break;
    case Told::Kind::choices: listener.choices(told.words, told.options); break;
    case Told::Kind::prompt: listener.prompt(told.words); break;
    }
}

void WordsHub::set_voice(std::unique_ptr<Words> voice, bool on) {
    voice_ = std::move(voice);
    voice_on_ = on;
}

void WordsHub::toggle_voice() {
    if (!voice_ && make_voice) voice_ = make_voice();
    if (!voice_) return;
    voice_on_ = !voice_on_;
    if (!voice_on_) {
        voice_->hush();
        return;
    }
    for (const Told& told : screen_) tell(*voice_, told);
}

void WordsHub::clear() {
    player_.reset();
    voice_.reset();
    voice_on_ = false;
    make_voice = nullptr;
    screen_.clear();
    screen_complete_ = false;
}

WordsHub& words() { return services().words; }

}  // namespace platform
