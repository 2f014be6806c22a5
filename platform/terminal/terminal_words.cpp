#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "platform/words.h"

namespace platform {
namespace {

constexpr int default_width = 80;
constexpr int narrowest = 20;

int terminal_width() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const std::string_view text(columns);
        int width = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
        if (error == std::errc{} && end == text.data() + text.size() && width > 0) return width;
    }
    return default_width;
}

// Characters, not bytes: the continuation bytes of UTF-8 take no column.
std::size_t columns_of(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return columns;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

class TerminalWords final : public WordsPlayer {
public:
    TerminalWords(std::istream& in, std::ostream& out, int width, bool echo)
        : in_(in), out_(out), width_(std::max(width, narrowest)), echo_(echo) {}

    void text(std::string_view words) override {
        start_screen();
        write_wrapped(words);
        out_.flush();
    }

    void choices(std::string_view heading, const std::vector<std::string>& options) override {
        start_screen();
        out_ << '\n' << heading << '\n';
        for (std::size_t i = 0; i < options.size(); ++i) out_ << i + 1 << ") " << options[i] << '\n';
        out_.flush();
    }

    void highlight(int, std::string_view) override {}

    void prompt(std::string_view) override {
        start_screen();
        // The game's own prompt names the mouse; here the answer is a line.
        out_ << "\n(Press Enter to continue, q to quit)\n";
        out_.flush();
    }

    std::optional<int> read_choice(int count) override {
        for (;;) {
            const std::optional<std::string> line = read_line();
            if (!line || quits(*line)) return std::nullopt;
            const std::string_view answer = trimmed(*line);
            int number = 0;
            const auto [end, error] = std::from_chars(answer.data(), answer.data() + answer.size(), number);
            if (error == std::errc{} && end == answer.data() + answer.size() && number >= 1 && number <= count) {
                return number;
            }
            out_ << "Type a number from 1 to " << count << " and Enter, or q to quit.\n";
        }
    }

    bool read_continue() override {
        const std::optional<std::string> line = read_line();
        return line && !quits(*line);
    }

private:
    // A blank line between screens.
    void start_screen() {
        if (in_screen_) return;
        if (printed_) out_ << '\n';
        in_screen_ = printed_ = true;
    }

    std::optional<std::string> read_line() {
        out_ << "> " << std::flush;
        in_screen_ = false;
        std::string line;
        if (!std::getline(in_, line)) {
            out_ << '\n' << std::flush;
            return std::nullopt;
        }
        // Typed answers echo themselves; piped ones are shown, so a transcript reads well.
        if (echo_) out_ << line << '\n' << std::flush;
        return line;
    }

    static bool quits(const std::string& line) {
        const std::string_view answer = trimmed(line);
        return answer == "q" || answer == "Q" || answer == "quit";
    }

    // Breaks at spaces so that no line is wider than the terminal; a word
    // wider than the whole line stands on a line of its own.
    void write_wrapped(std::string_view words) {
        std::size_t used = 0;
        while (!words.empty()) {
            const auto space = words.find(' ');
            const std::string_view word = words.substr(0, space);
            words = space == std::string_view::npos ? std::string_view{} : words.substr(space + 1);
            if (word.empty()) continue;
            const std::size_t width = columns_of(word);
            if (used > 0 && used + 1 + width > static_cast<std::size_t>(width_)) {
                out_ << '\n';
                used = 0;
            }
            if (used > 0) {
                out_ << ' ';
                ++used;
            }
            out_ << word;
            used += width;
        }
        out_ << '\n';
    }

    std::istream& in_;
    std::ostream& out_;
    int width_;
    bool echo_;
    bool in_screen_ = false;
    bool printed_ = false;
};

}  // namespace

std::unique_ptr<WordsPlayer> make_terminal_words() {
    // Leave room for the last column, where some terminals wrap early.
    return std::make_unique<TerminalWords>(std::cin, std::cout, terminal_width() - 1, isatty(STDIN_FILENO) == 0);
}

}  // namespace platform
