#pragma once
#include <string>
#include <string_view>

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

// For answers given before the runtime starts (--help, --version): a line on
// standard output or standard error, and the end with an exit code when
// there is nothing to shut down yet.
void print_line(std::string_view text);
void print_error_line(std::string_view text);
[[noreturn]] void exit_before_start(int code);
// The folder where what the game writes is kept, for the player to read.
std::string progress_folder();

}  // namespace rt
