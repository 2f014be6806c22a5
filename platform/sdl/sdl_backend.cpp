#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include "platform/memory.h"
#include "platform/process_end.h"

#include "platform/sdl/sdl_parts.h"

namespace platform {

void install_sdl_services() {
    configure_heap_for_pictures();
    // Quit signals are ours to serve (SDL would only queue a quit event,
    // which nobody reads while a message box is up), and SIGHUP too.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    install_quit_signal_handlers();
    Services& s = services();
    s.clock = make_sdl_clock();
    s.system = make_posix_system();
    s.window = make_sdl_window();
    s.input = make_sdl_input();
    s.debugger = make_system_debugger();
    s.sound = make_sdl_sound();
    s.music = make_sdl_music();
    s.movie = make_sdl_movie();
}

void use_offscreen_video() { SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE); }

}  // namespace platform
