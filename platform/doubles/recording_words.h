#pragma once
#include <string>
#include <vector>

#include "platform/words.h"

namespace platform::doubles {

// Keeps every word it is told, in order, one entry per utterance: texts as
// they are, a menu as its heading and its numbered options ("1) Go north"),
// "highlight: 2) Wait here", "prompt: Click to Continue" and "hush".
class RecordingWords final : public Words {
public:
    void text(std::string_view words) override { heard.emplace_back(words); }
    void choices(std::string_view heading, const std::vector<std::string>& options) override {
        heard.emplace_back(heading);
        for (std::size_t i = 0; i < options.size(); ++i) heard.push_back(numbered(static_cast<int>(i) + 1, options[i]));
    }
    void highlight(int number, std::string_view option) override {
        heard.push_back("highlight: " + numbered(number, option));
    }
    void prompt(std::string_view text) override { heard.push_back("prompt: " + std::string(text)); }
    void hush() override { heard.emplace_back("hush"); }

    std::vector<std::string> heard;

private:
    static std::string numbered(int number, std::string_view option) {
        return std::to_string(number) + ") " + std::string(option);
    }
};

}  // namespace platform::doubles
