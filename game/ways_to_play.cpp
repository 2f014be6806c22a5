#include "game/ways_to_play.h"

#include "game/options.h"
#include "platform/words.h"
#include "runtime/core/error_log.h"

namespace game {

void start_ways_to_play(const std::string& command_line) {
    const Options options = parse_options(command_line);
    platform::WordsHub& words = platform::words();
    if (options.text && words.player() == nullptr) words.set_player(platform::make_terminal_words());
    if (!words.make_voice) {
        words.make_voice = [] {
            return platform::make_speech_words([](std::string_view line) { rt::append_error_log(line); });
        };
    }
    if (options.speak && !words.voice_on()) words.toggle_voice();
}

}  // namespace game
