#include "game/game.h"

#include <cmath>

#include "runtime/core/frame_loop.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/gl.h"

namespace game {

void game_entry(const std::string& command_line, int show_mode) {
    rt::runtime_state().command_line = command_line;
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.screen_width = 640;
    settings.screen_height = 480;
    settings.fullscreen = 0;
    settings.samples = 0;
    settings.frame_rate = 60;
    settings.debug_mode = 1;
    settings.exclusive_mouse = 1;
    rt::runtime_init("Marlowick", show_mode);
    rt::set_source_position(0, 0);
    rt::set_error_code(0);
    game_main();
}

void game_main() {
    // Until the adventure's screens exist: a slowly pulsing night sky.
    for (int frame = 0;; ++frame) {
        const float pulse = 0.5f + 0.5f * std::sin(static_cast<float>(frame) / 60.0f);
        glClearColor(0.05f, 0.08f + 0.1f * pulse, 0.2f + 0.2f * pulse, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        rt::present_frame();
    }
}

}  // namespace game
