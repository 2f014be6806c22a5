#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "runtime/gfx/graphics_context.h"

namespace rt {

// Milliseconds per frame for a rate; zero or negative rates give 2 ms.
double frame_interval_for_rate(int frames_per_second);

bool create_gl_window(GraphicsContext& context, int width, int height, int color_bits, int frames_per_second,
                      int samples);
// Tries samples, samples/2, ... down to 1; the first count the window accepts, 0 when none.
int choose_multisample_format(GraphicsContext& context, int samples);
bool enter_windowed_mode(GraphicsContext& context);
bool enter_fullscreen_mode(GraphicsContext& context);
bool hide_window(GraphicsContext& context);
void setup_2d_view(GraphicsContext& context, int x, int y, int width, int height);
void set_screen_size(GraphicsContext& context, int width, int height);
void apply_screen_mode(GraphicsContext& context, int width, int height, int color_bits, bool fullscreen);
void close_gl_window(GraphicsContext& context);

// Decodes a PNG and hands it to the window as its desktop icon; a picture
// that does not decode leaves the icon as it was.
bool set_window_icon(std::span<const std::uint8_t> png);

// Game commands.
void set_viewport(double x, double y, double width, double height);
void set_screen_mode(double width, double height, double fullscreen);

// The exact renderer name of the old generic software driver.
bool is_software_renderer_name(const char* renderer);

inline constexpr const char* software_warning_caption = "!!OpenGL Software Emulation!!";
inline constexpr const char* software_warning_text =
    "Please update your GFX adapter's driver\nso it can render OpenGL by HARDWARE\n\n\n"
    "Bitte aktualisieren Sie Ihren\nGrafkkartentreiber, damit er OpenGL\nper HARDWARE unterst\xC3\xBCtzt!";

}  // namespace rt
