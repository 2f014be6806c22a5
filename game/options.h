#pragma once
// The player's command-line options. The runtime keeps the command line's
// text as it was given; these are what the game and its desktop layer read
// from it.
#include <optional>
#include <string>
#include <vector>

namespace game {

struct Options {
    bool help = false;
    bool version = false;
    bool windowed = false;              // start in a window
    bool fullscreen = false;            // start full screen
    bool exclusive_fullscreen = false;  // full screen with a real display-mode switch
    bool busy_wait = false;             // pace frames with the literal busy loop
    bool text = false;                  // play in the terminal
    bool speak = false;                 // read screens aloud
    bool new_game = false;              // do not offer to continue an autosave
    std::string handheld;               // "", "F100" or "F200"
    std::vector<std::string> unknown;   // options we do not know, as given
};

// Splits the runtime's command-line text (arguments separated by blanks,
// quoted when they hold blanks) and reads the options.
Options parse_options(const std::string& command_line);

// The usage text for --help (and for an unknown option, on standard error).
std::string usage_text(const std::string& progress_dir);

}  // namespace game
