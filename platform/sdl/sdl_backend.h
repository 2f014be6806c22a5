#pragma once

namespace platform {

// Installs the real services: SDL2 for clock, window and devices, POSIX for
// the process. With SDL_VIDEODRIVER=offscreen they run without a display.
void install_sdl_services();
// The window is drawn offscreen whatever the environment asks: playing in a
// terminal needs no display.
void use_offscreen_video();

// For checks: puts an output-device arrival or removal into the system's
// event stream, as unplugging or plugging in a sound device would.
void push_audio_device_event(bool added);

}  // namespace platform
