#pragma once
#include <cstdint>
#include <string>

#include "runtime/core/rt_string.h"

namespace rt {

// Start-up settings the game's entry routine fills before runtime_init.
struct RuntimeSettings {
    std::int32_t screen_width = 640;
    std::int32_t screen_height = 480;
    std::int32_t fullscreen = 0;
    std::int32_t samples = 0;
    std::int32_t frame_rate = 60;
    std::int32_t debug_mode = 1;
    std::int32_t exclusive_mouse = 1;
};

// Frame-loop and end-report state of the process.
struct RuntimeState {
    std::string window_title;
    RtString command_line;
    bool auto_pause = true;
    bool paused = false;
    bool escape_quits = true;
    double start_time = 0.0;
    double frame_stamp = 0.0;
    double previous_frame_stamp = 0.0;
    // End-report position.
    double error_code = 0.0;
    double error_line = 0.0;
    double current_line = 0.0;
    double current_file = 0.0;
};

RuntimeSettings& runtime_settings();
RuntimeState& runtime_state();

}  // namespace rt
