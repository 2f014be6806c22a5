#pragma once
// A player for the progress checks: clicks through every prompt, answers a
// part selection with Part One and, when asked to, ends Part One the short
// way: at the first location of the story the skeleton key goes into the
// pocket and the hero stands in the vault, whose fourth choice runs the
// game's real end of the part. Stops at the first menu after that (or at the
// first menu at all), pressing Esc there first `restarts` times.
#include <utility>
#include <vector>

#include "game/globals.h"
#include "game/menu.h"
#include "platform/doubles/scripted_input.h"
#include "runtime/audio/music.h"

namespace testing_support {

class ShortPlay {
public:
    ShortPlay(bool to_the_end, int restarts = 0)
        : to_the_end_(to_the_end), restarts_(restarts), menu_calls_(game::menu_calls()) {}

    // One frame; false to stop.
    bool frame(platform::doubles::ScriptedInput& input) {
        if (++frames_ > 8000) return false;
        if (playing("aud/title.mp3")) {
            prompts_at_title_ = game::prompts_shown();
            input.release_all_keys();
        }
        const bool menu = std::exchange(menu_calls_, game::menu_calls()) != game::menu_calls();
        if (std::exchange(clicked_, false)) return true;
        if (!menu) return click(input, 320, 240);
        if (ended_ || !to_the_end_) {
            prompts_at_menus.push_back(game::prompts_shown() - prompts_at_title_);
            at_selection = at_part_selection();
            if (restarts_-- <= 0) return false;
            input.press_key(1);  // Esc: back to the title
            return true;
        }
        if (at_part_selection() && !jumped_) return choose(input, 1);
        if (std::exchange(jumped_, true)) {
            ended_ = true;
            prompts_at_choice_ = game::prompts_shown();
            return choose(input, 4);
        }
        game::obj[5] = 1;  // the skeleton key
        game::loc = 51;
        game::screendrawn = 0;
        return true;
    }

    // Continue prompts from the vault's choice to the last menu.
    double prompts_since_choice() const { return game::prompts_shown() - prompts_at_choice_; }

    static bool playing(const char* music) {
        return rt::music_state().music_open && rt::music_state().music_file == music;
    }
    static bool at_part_selection() { return game::menu_y() == 350 && !playing("aud/ingame.mp3"); }

    std::vector<double> prompts_at_menus;  // continue prompts since the title, at each stop
    bool at_selection = false;              // the last stop was the part selection

private:
    bool click(platform::doubles::ScriptedInput& input, int x, int y) {
        input.move_pointer_to(x, y);
        input.click();
        clicked_ = true;
        return true;
    }
    bool choose(platform::doubles::ScriptedInput& input, int option) {
        return click(input, 5, static_cast<int>(game::menu_y()) + 50 + 20 * (option - 1));
    }

    bool to_the_end_;
    int restarts_;
    bool jumped_ = false;
    bool ended_ = false;
    bool clicked_ = false;
    double menu_calls_;
    double prompts_at_title_ = 0;
    double prompts_at_choice_ = 0;
    long frames_ = 0;
};

}  // namespace testing_support
