#pragma once
#include <string>

namespace rt {

// Show modes handed to the game's entry routine.
inline constexpr int show_hidden = 0;
inline constexpr int show_default = 10;

// The game's entry routine: (command line, show mode). It never returns.
using GameEntry = void (*)(const std::string& command_line, int show_mode);

// The text after the program name, as the system would pass it on.
std::string command_line_from_arguments(int argc, const char* const* argv);

// Process entry: hands the command line to the game's entry routine.
int run_process(int argc, const char* const* argv, GameEntry entry);

}  // namespace rt
