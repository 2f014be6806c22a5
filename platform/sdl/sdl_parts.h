#pragma once
// Factories of the SDL/POSIX backend, shared inside platform/ only.
#include <memory>
#include <optional>
#include <string>

#include "platform/services.h"

namespace platform {

std::unique_ptr<Clock> make_sdl_clock();
std::unique_ptr<System> make_posix_system();
std::unique_ptr<Window> make_sdl_window();
std::unique_ptr<InputDevices> make_sdl_input();
std::unique_ptr<SoundDevice> make_sdl_sound();
std::unique_ptr<MusicPlayer> make_sdl_music();
std::unique_ptr<MoviePlayer> make_sdl_movie();

// The pointer through the window's scaling: window coordinates to the canvas
// pixel under them and back, and canvas pixels per window pixel of movement.
Point window_point_to_canvas(int x, int y);
Point canvas_to_window_point(int x, int y);
MotionScale pointer_motion_scale();

// After the video subsystem started: ends the process at once, without
// touching the dead connection, when the X display goes away.
void guard_display_connection();
// Why the video driver SDL fell back to cannot be used: nobody would see the
// window. Nothing when a display was found or the driver was asked for.
std::optional<std::string> invisible_display_refusal();
// A modal box that a quit signal does not wait for.
void show_message_box_unless_quit(bool error, const std::string& caption, const std::string& utf8_text);

}  // namespace platform
