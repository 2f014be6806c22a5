#include "runtime/gfx/window.h"

#include <cmath>
#include <cstring>

#include "platform/services.h"
#include "runtime/core/clock.h"
#include "runtime/core/error_log.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/gl_extensions.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

constexpr const char* window_class_title = "CQuorlin";

bool software_warning_shown = false;

platform::Window& system_window() { return *platform::services().window; }

const char* cached_renderer_name() {
    static const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer;
}

void warn_once_if_software_renderer() {
    if (software_warning_shown) return;
    const bool software = !system_window().hardware_accelerated() || is_software_renderer_name(cached_renderer_name());
    if (!software) return;
    software_warning_shown = true;
    system_window().warning_box(software_warning_caption, software_warning_text);
    append_error_log("OpenGL Software Emulation");
}

bool open_window(int width, int height, int samples) {
    return system_window().open({width, height, window_class_title, samples});
}

}  // namespace

bool is_software_renderer_name(const char* renderer) {
    return renderer != nullptr && std::strcmp(renderer, "Mesa Windows GDI Driver") == 0;
}

double frame_interval_for_rate(int frames_per_second) {
    return frames_per_second > 0 ? 1000.0 / frames_per_second : 2.0;
}

int choose_multisample_format(GraphicsContext& context, int samples) {
    if (!system_window().multisample_supported()) return 0;
    for (int n = samples; n > 0; n /= 2) {
        if (open_window(context.width, context.height, n)) return n;
    }
    return 0;
}

bool create_gl_window(GraphicsContext& context, int width, int height, int color_bits, int frames_per_second,
                      int samples) {
    context.frame_interval = frame_interval_for_rate(frames_per_second);
    context.samples = samples;
    release_canvas();  // while the old window's context, if any, is still current
    system_window().set_preferences(window_preferences());
    if (!open_window(width, height, 0)) return false;

    context.color_bits = color_bits != 0 ? color_bits : system_window().desktop_color_bits();
    context.width = width;
    context.height = height;
    context.fullscreen = false;

    if (samples != 0) {
        const int found = choose_multisample_format(context, samples);
        context.samples = found;
        // A failed ladder leaves no window open: go back to the plain one.
        if (found == 0 && !open_window(width, height, 0)) return false;
    }
    context.window_open = true;
    warn_once_if_software_renderer();

    context.next_frame_due = now_ms();
    load_extension_entry_points();
    load_framebuffer_entry_points();
    create_canvas(context);
    system_window().show_and_raise();
    setup_2d_view(context, 0, 0, 0, 0);
    context.gl_ready = true;
    return true;
}

bool enter_windowed_mode(GraphicsContext& context) {
    system_window().enter_windowed(context.width, context.height);
    setup_2d_view(context, 0, 0, 0, 0);
    context.fullscreen = false;
    return true;
}

bool enter_fullscreen_mode(GraphicsContext& context) {
    if (!system_window().enter_fullscreen(context.width, context.height)) {
        platform::services().system->beep();
        append_error_log("No Fullscreen Mode available");
        enter_windowed_mode(context);
        return false;
    }
    setup_2d_view(context, 0, 0, 0, 0);
    context.fullscreen = true;
    return true;
}

bool hide_window(GraphicsContext& context) {
    system_window().hide();
    context.fullscreen = false;
    return true;
}

void setup_2d_view(GraphicsContext& context, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) {
        width = context.width;
        height = context.height;
    }
    context.viewport = {x, y, width, height};
    glViewport(x, context.height - height - y, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.05f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glShadeModel(GL_FLAT);
    for (GLenum capability : {GL_DITHER, GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
                              GL_POLYGON_OFFSET_POINT, GL_COLOR_MATERIAL, GL_AUTO_NORMAL, GL_NORMALIZE, GL_LIGHTING}) {
        glDisable(capability);
    }
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
    context.smoothing = true;
}

void set_screen_size(GraphicsContext& context, int width, int height) {
    context.width = width;
    context.height = height;
    setup_2d_view(context, 0, 0, 0, 0);
}

void apply_screen_mode(GraphicsContext& context, int width, int height, int color_bits, bool fullscreen) {
    if (width != 0) context.width = width;
    if (height != 0) context.height = height;
    if (color_bits != 0) context.color_bits = color_bits;
    if (context.gl_ready && !canvas_fits(context)) create_canvas(context);
    if (fullscreen) {
        enter_fullscreen_mode(context);
    } else {
        enter_windowed_mode(context);
    }
}

void close_gl_window(GraphicsContext& context) {
    free_all_sprites_and_screens(context);
    release_canvas();
    enter_windowed_mode(context);
    context.gl_ready = false;
    system_window().close();
    context.window_open = false;
    context.width = 0;
    context.height = 0;
}

void set_viewport(double x, double y, double width, double height) {
    setup_2d_view(graphics(), static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                  static_cast<int>(height));
}

void set_screen_mode(double width, double height, double fullscreen) {
    RuntimeSettings& settings = runtime_settings();
    settings.screen_width = static_cast<int>(width);
    settings.screen_height = static_cast<int>(height);
    settings.fullscreen = static_cast<int>(fullscreen);
    // The player's own choice of window or full screen wins over the game's.
    apply_screen_mode(graphics(), settings.screen_width, settings.screen_height, 0,
                      chosen_fullscreen(settings.fullscreen != 0));
    // The window is switched in place, so input and sound keep their hold on it.
    // Nothing is drawn between these frames: they are shown at once rather
    // than spaced out at the frame rate.
    for (int i = 0; i < 5; ++i) {
        graphics().next_frame_due = now_ms();
        present_frame();
    }
}

}  // namespace rt
