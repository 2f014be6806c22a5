#include "platform/services.h"

#include <algorithm>

namespace platform {

Services& services() {
    static Services instance;
    return instance;
}

std::string native_path(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace platform
