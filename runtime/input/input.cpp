#include "runtime/input/input.h"

#include "platform/services.h"

namespace rt {

void refresh_input_devices() {
    if (auto& input = platform::services().input) input->poll();
}

double key_down(double code) {
    const auto& input = platform::services().input;
    if (!input) return 0.0;
    const int scan_code = static_cast<int>(code) % 256;
    return input->key_held(scan_code) ? 1.0 : 0.0;
}

double any_key_down() {
    const auto& input = platform::services().input;
    return input && input->any_key_held() ? 1.0 : 0.0;
}

}  // namespace rt
