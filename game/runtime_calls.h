#pragma once
// Runtime commands the location procedures call directly, as the game sees
// them: numbers are doubles, texts are views. Defined by the runtime.
#include <string_view>

namespace game {

// Empties the background screen and clears the back buffer to black.
double clear_screen();
// A filled rectangle in screen pixels; colour = red + 256 green + 65536 blue.
double draw_rect(double x, double y, double width, double height, double colour);
// Shows the back buffer and waits for the next frame.
double present_frame();
double sleep_ms(double milliseconds);

// Truncating remainder; its sign is that of a.
double number_mod(double a, double b);

double stop_music();
// Stops any music, then starts the file looping.
double play_music(std::string_view file);
// 1 is the normal level; needed again after every play_music.
double set_music_volume(double volume);

// Mode 0: delete the file and create it empty for writing; otherwise open an
// existing file for reading. Returns 1 when the channel is open.
double open_file(double channel, std::string_view name, double mode);
// Writes the text followed by CR LF.
double write_line(double channel, std::string_view text);
double close_file(double channel);

// Starts a program; `exit_code` receives its exit code when waited for.
// Returns 1 when it was started.
double run_program(std::string_view command, double wait, double show, double& exit_code);

}  // namespace game
