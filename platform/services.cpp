#include "platform/services.h"

#include <algorithm>

namespace platform {

Services& services() {
    static Services instance;
    return instance;
}

void release_devices() {
    Services& s = services();
    s.music.reset();
    s.sound.reset();
    s.input.reset();
    s.window.reset();
    s.debugger.reset();
}

std::string native_path(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace platform
