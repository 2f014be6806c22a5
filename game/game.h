#pragma once
#include <string>

namespace game {

// The game's entry routine: settings, runtime start-up, then the main routine.
void game_entry(const std::string& command_line, int show_mode);
[[noreturn]] void game_main();

}  // namespace game
