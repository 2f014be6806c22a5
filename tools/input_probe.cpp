// Opens the runtime's window and prints what it reads from the keyboard, the
// mouse and the joysticks, one line per change, until Esc (or --frames N).
// Usage: marlowick-input-probe [--shared] [--frames N]
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sdl/sdl_backend.h"
#include "runtime/core/entry.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/input/input.h"
#include "runtime/input/joystick.h"

namespace {

struct Seen {
    rt::MouseStateResult mouse{-1, -1, 0, 0};
    double middle = 0;
    std::array<bool, 256> keys{};
    std::array<std::array<double, 4>, rt::max_joysticks> sticks{};
};

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void report_mouse(Seen& seen) {
    const rt::MouseStateResult mouse = rt::mouse_state();
    const double middle = rt::mouse_axis(5);
    const double wheel = rt::mouse_axis(2);
    if (mouse.x != seen.mouse.x || mouse.y != seen.mouse.y) {
        say("mouse " + std::to_string(static_cast<int>(mouse.x)) + " " + std::to_string(static_cast<int>(mouse.y)) +
            " moved " + std::to_string(static_cast<int>(rt::mouse_axis(0))) + " " +
            std::to_string(static_cast<int>(rt::mouse_axis(1))));
    }
    const auto button = [](const char* name, double now, double before) {
        if (now != before) say(std::string("button ") + name + (now != 0 ? " down" : " up"));
    };
    button("left", mouse.left, seen.mouse.left);
    button("right", mouse.right, seen.mouse.right);
    button("middle", middle, seen.middle);
    if (wheel != 0) say("wheel " + std::to_string(static_cast<int>(wheel)));
    seen.mouse = mouse;
    seen.middle = middle;
}

void report_keys(Seen& seen) {
    for (int code = 0; code < 256; ++code) {
        const bool down = rt::key_down(code) != 0;
        if (down != seen.keys[static_cast<std::size_t>(code)]) {
            say("key " + std::to_string(code) + (down ? " down" : " up"));
        }
        seen.keys[static_cast<std::size_t>(code)] = down;
    }
    const std::string typed = rt::read_typed_char();
    if (!typed.empty()) say("typed " + std::to_string(static_cast<unsigned char>(typed[0])));
}

void report_joysticks(Seen& seen) {
    for (int n = 0; n < static_cast<int>(rt::joystick_count()); ++n) {
        const std::array<double, 4> now{rt::joystick_x(n), rt::joystick_y(n), rt::joystick_hat_x(n),
                                        rt::joystick_hat_y(n)};
        if (now != seen.sticks[static_cast<std::size_t>(n)]) {
            char line[160];
            std::snprintf(line, sizeof line, "joystick %d x %.2f y %.2f hat %g %g", n, now[0], now[1], now[2],
                          now[3]);
            say(line);
        }
        seen.sticks[static_cast<std::size_t>(n)] = now;
    }
}

void probe_entry(const std::string& command_line, int show_mode) {
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.debug_mode = 1;  // keeps the window raised and never pauses
    settings.exclusive_mouse = command_line.find("--shared") == std::string::npos ? 1 : 0;
    long frames = -1;
    if (const auto at = command_line.find("--frames "); at != std::string::npos) {
        frames = std::strtol(command_line.c_str() + at + 9, nullptr, 10);
    }
    rt::runtime_init("Marlowick input probe", show_mode);
    for (int n = 0; n < static_cast<int>(rt::joystick_count()); ++n) say("joystick " + rt::joystick_name(n));
    Seen seen;
    for (long frame = 0; frames < 0 || frame < frames; ++frame) {
        rt::present_frame();
        report_mouse(seen);
        report_keys(seen);
        report_joysticks(seen);
    }
    rt::end_program();
}

}  // namespace

int main(int argc, char** argv) {
    platform::install_sdl_services();
    return rt::run_process(argc, argv, probe_entry);
}
