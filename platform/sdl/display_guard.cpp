#include <dlfcn.h>
#include <unistd.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/process_end.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

constexpr std::string_view lost_message = "Marlowick: the connection to the display was lost\n";

// The process that set the handler; helper processes forked from it (the
// message box) end their own way.
pid_t guarded_process = 0;

// Xlib calls this when the display connection breaks and exits the process
// once it returns, through exit() and so through destructors that would talk
// to the dead connection again. End here instead, touching nothing of it.
extern "C" int on_display_connection_lost(void*) {
    if (getpid() != guarded_process) _exit(1);
    [[maybe_unused]] const auto written = write(STDERR_FILENO, lost_message.data(), lost_message.size());
    end_process_at_once(1);
}

bool is_one_of(const char* driver, std::initializer_list<const char*> names) {
    if (driver == nullptr) return false;
    for (const char* name : names) {
        if (std::strcmp(driver, name) == 0) return true;
    }
    return false;
}

}  // namespace

void guard_display_connection() {
    if (!is_one_of(SDL_GetCurrentVideoDriver(), {"x11"})) return;
    // SDL loads the X library itself; use the copy it loaded, never a second one.
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return;
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (auto set_handler = reinterpret_cast<SetHandler>(dlsym(library, "XSetIOErrorHandler"))) {
        guarded_process = getpid();
        set_handler(on_display_connection_lost);
    }
    dlclose(library);  // drops only our reference; SDL keeps it loaded
}

std::optional<std::string> invisible_display_refusal() {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked != nullptr && *asked != '\0') return std::nullopt;
    // The terminal mode asks for the offscreen driver itself.
    const char* hinted = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (hinted != nullptr && *hinted != '\0') return std::nullopt;
    if (!is_one_of(SDL_GetCurrentVideoDriver(), {"offscreen", "dummy", "evdev"})) return std::nullopt;
    return std::string("no display server could be reached (DISPLAY or WAYLAND_DISPLAY); "
                       "to run without one, set SDL_VIDEODRIVER=offscreen");
}

}  // namespace platform
