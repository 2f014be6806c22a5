#pragma once
#include <string>

#include "platform/window.h"

namespace rt {

// Brings the runtime up: window, input, sound, working directory, media
// archives, clock and the loading screen. Returns 0.
int runtime_init(const std::string& title, int show_mode);

// Shows the back buffer, handles window messages and quit keys, refreshes
// input, keeps music looping and paces the frame rate.
void present_frame();
bool pump_messages();
// Swaps and busy-waits for the next due time; returns (t - t0) + 1.
double swap_and_pace();
void main_window_proc(platform::WindowEvent event);

void set_frame_limit(double frames_per_second);
void sleep_ms(double milliseconds);
double elapsed_ms();
double frame_time_ms();
void set_auto_pause(double flag);
void allow_escape_quit(double flag);
void wait_key();

// Releases input, sound, music, files, archives and the window (first step of
// terminate_program; a test that stops a run midway calls it to clean up).
void runtime_shutdown();

// Releases everything, writes the end report in debug mode and exits with 0.
[[noreturn]] void terminate_program();

}  // namespace rt
