#pragma once
#include <array>
#include <cstdint>
#include <memory>

namespace rt {

// All graphics state of the process: window, GL context, 2D view, pacing
// and clock source. Created once by runtime_init and kept until exit.
struct GraphicsContext {
    bool window_open = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t color_bits = 0;
    bool fullscreen = false;
    std::int32_t samples = 0;
    bool gl_ready = false;
    bool smoothing = true;
    std::array<std::int32_t, 4> viewport{};
    double next_frame_due = 0.0;
    double frame_interval = 0.0;
    double perf_frequency = 0.0;
    std::int32_t use_perf_counter = 0;
    float current_alpha = 1.0f;
    std::uint32_t transparent_color = 0x008000FF;
    std::uint32_t font_transparent_color = 0;
};

// Makes the process's context (replacing an earlier one, which only tests do).
GraphicsContext& create_graphics_context();
bool has_graphics_context();
GraphicsContext& graphics();

}  // namespace rt
