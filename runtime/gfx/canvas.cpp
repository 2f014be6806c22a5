#include "runtime/gfx/canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/services.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/screen_quad.h"
#include "runtime/gfx/gl_extensions.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;
    long long area() const { return static_cast<long long>(right - left) * (bottom - top); }
};

Rect united(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool near_each_other(const Rect& a, const Rect& b) {
    constexpr int gap = 8;  // neighbours this close are cheaper drawn as one
    return a.left <= b.right + gap && b.left <= a.right + gap && a.top <= b.bottom + gap && b.top <= a.bottom + gap;
}

// A few rectangles covering what was drawn since the last restore.
class Damage {
public:
    void add(Rect r) {
        for (;;) {
            auto merged = std::find_if(rects_.begin(), rects_.end(), [&](const Rect& o) { return near_each_other(o, r); });
            if (merged == rects_.end()) break;
            r = united(r, *merged);
            rects_.erase(merged);
        }
        if (rects_.size() == max_rects) {
            auto cheapest = std::min_element(rects_.begin(), rects_.end(), [&](const Rect& a, const Rect& b) {
                return united(a, r).area() - a.area() < united(b, r).area() - b.area();
            });
            r = united(r, *cheapest);
            rects_.erase(cheapest);
        }
        rects_.push_back(r);
    }
    long long area() const {
        long long sum = 0;
        for (const Rect& r : rects_) sum += r.area();
        return sum;
    }
    const std::vector<Rect>& rects() const { return rects_; }
    void clear() { rects_.clear(); }

private:
    static constexpr std::size_t max_rects = 8;
    std::vector<Rect> rects_;
};

struct CanvasState {
    GLuint framebuffer = 0;
    GLuint texture = 0;
    int width = 0;  // canvas size
    int height = 0;
    // Storage, padded to powers of two where the driver needs it; the canvas
    // is its lower left part.
    int texture_width = 0;
    int texture_height = 0;
    platform::Scaling scaling = platform::Scaling::automatic;
    bool partial_redraw = true;
    // What the frame being drawn has touched, and what the next restore must cover.
    Damage drawn;
    bool drawn_everywhere = true;
    Damage to_restore;
    bool restore_everywhere = true;
    // Nothing but the clear colour (black) since the last whole clear: shown
    // by clearing the window, without drawing the canvas into it.
    bool blank = false;
};

CanvasState& canvas() {
    static CanvasState state;
    return state;
}

platform::Window& system_window() { return *platform::services().window; }

void tell_window(const CanvasState& c, bool scalable) {
    if (!platform::services().window) return;
    platform::Presentation presentation;
    presentation.canvas = {c.width, c.height};
    presentation.scaling = c.scaling;
    presentation.scalable = scalable;
    system_window().set_presentation(presentation);
}

bool framebuffers_available() {
    const GlExtensions& gl = gl_extensions();
    return gl.glGenFramebuffersEXT != nullptr && gl.glBindFramebufferEXT != nullptr &&
           gl.glFramebufferTexture2DEXT != nullptr && gl.glCheckFramebufferStatusEXT != nullptr &&
           gl.glDeleteFramebuffersEXT != nullptr;
}

void bind_framebuffer(GLuint name) {
    if (const auto bind = gl_extensions().glBindFramebufferEXT) bind(GL_FRAMEBUFFER_EXT, name);
}

// The canvas rectangle in GL's bottom-up framebuffer rows.
void scissor_to(const CanvasState& c, const Rect& r) {
    glScissor(r.left, c.height - r.bottom, r.right - r.left, r.bottom - r.top);
}

void draw_canvas_quad(const CanvasState& c, const platform::Placement& p) {
    const float s_right = static_cast<float>(c.width) / c.texture_width;
    const float t_top = static_cast<float>(c.height) / c.texture_height;
    const auto left = static_cast<float>(p.x);
    const auto top = static_cast<float>(p.y);
    const auto right = static_cast<float>(p.x + p.width);
    const auto bottom = static_cast<float>(p.y + p.height);
    draw_screen_texture_quad(left, top, right, bottom, s_right, t_top);
}

// Swaps, or reads what the window shows into `pixels`; then draws into the canvas again.
void finish_presenting(const CanvasState& c, platform::Size drawable, std::vector<std::uint8_t>* pixels) {
    if (pixels != nullptr) {
        pixels->resize(static_cast<std::size_t>(drawable.width) * drawable.height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, drawable.width, drawable.height, GL_RGB, GL_UNSIGNED_BYTE, pixels->data());
    } else {
        system_window().swap_buffers();
    }
    bind_framebuffer(c.framebuffer);
}

// Draws the canvas into the window; swaps, or reads the result into `pixels`.
void present_scaled(const CanvasState& c, std::vector<std::uint8_t>* pixels = nullptr) {
    platform::Size drawable = system_window().drawable_size();
    if (drawable.width <= 0 || drawable.height <= 0) drawable = {c.width, c.height};
    const platform::Placement placement = platform::place_canvas({c.width, c.height}, drawable, c.scaling);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    if (c.blank) {
        // The start-up and mode-change frames: no shader to build for them.
        bind_framebuffer(0);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        finish_presenting(c, drawable, pixels);
        glPopAttrib();
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, drawable.width, drawable.height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    bind_framebuffer(0);
    for (GLenum capability : {GL_SCISSOR_TEST, GL_BLEND, GL_ALPHA_TEST, GL_CULL_FACE, GL_DEPTH_TEST}) {
        glDisable(capability);
    }
    glViewport(0, 0, drawable.width, drawable.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (const auto active_texture = gl_extensions().glActiveTextureARB) {
        active_texture(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        active_texture(GL_TEXTURE0_ARB);
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, c.texture);
    const GLint filter = placement.whole_multiple ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    draw_canvas_quad(c, placement);

    finish_presenting(c, drawable, pixels);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

bool viewport_is_whole_canvas() {
    const GraphicsContext& context = graphics();
    return context.viewport[0] == 0 && context.viewport[1] == 0 && context.viewport[2] == context.width &&
           context.viewport[3] == context.height;
}

}  // namespace

bool create_canvas(GraphicsContext& context) {
    release_canvas();
    CanvasState& c = canvas();
    c.width = context.width;
    c.height = context.height;
    c.drawn_everywhere = true;
    if (!framebuffers_available() || c.width <= 0 || c.height <= 0) {
        tell_window(c, false);
        return false;
    }
    // Storage of the canvas's own size where the driver allows it: padding
    // to powers of two would hold 0.8 MB of nothing at 640 x 480.
    const bool any_size = gl_extensions().any_texture_size;
    c.texture_width = any_size ? c.width : texture_size_for(c.width);
    c.texture_height = any_size ? c.height : texture_size_for(c.height);
    glGenTextures(1, &c.texture);
    glBindTexture(GL_TEXTURE_2D, c.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, c.texture_width, c.texture_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    context.bound_slot = -1;

    const GlExtensions& gl = gl_extensions();
    gl.glGenFramebuffersEXT(1, &c.framebuffer);
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, c.framebuffer);
    gl.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, c.texture, 0);
    if (gl.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
        release_canvas();
        tell_window(c, false);
        return false;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    c.blank = true;
    tell_window(c, true);
    return true;
}

void release_canvas() {
    CanvasState& c = canvas();
    if (c.framebuffer != 0) {
        bind_framebuffer(0);
        gl_extensions().glDeleteFramebuffersEXT(1, &c.framebuffer);
        c.framebuffer = 0;
    }
    if (c.texture != 0) {
        glDeleteTextures(1, &c.texture);
        c.texture = 0;
    }
    c.drawn.clear();
    c.drawn_everywhere = true;
    c.blank = false;
}

bool canvas_active() { return canvas().framebuffer != 0; }

bool canvas_fits(const GraphicsContext& context) {
    return canvas().width == context.width && canvas().height == context.height;
}

void set_canvas_scaling(platform::Scaling scaling) {
    CanvasState& c = canvas();
    c.scaling = scaling;
    if (c.width > 0) tell_window(c, canvas_active());
}

platform::Scaling canvas_scaling() { return canvas().scaling; }

void show_canvas() {
    take_requested_screenshot();
    const CanvasState& c = canvas();
    if (c.framebuffer == 0) {
        system_window().swap_buffers();
        return;
    }
    present_scaled(c);
}

WindowPicture read_window_picture() {
    WindowPicture picture;
    const CanvasState& c = canvas();
    if (c.framebuffer == 0) return picture;
    picture.size = system_window().drawable_size();
    if (picture.size.width <= 0 || picture.size.height <= 0) picture.size = {c.width, c.height};
    present_scaled(c, &picture.rgb);
    return picture;
}

namespace {

// Without a background picture nothing is restored after a clear, so
// clearing pieces saves nothing; a whole clear is also the renderer's fast
// path, where pieces are drawn with a shader built on first use.
bool has_background_screen() {
    const auto& screens = graphics().screens;
    return std::any_of(screens.begin(), screens.end(), [](const TiledScreen& s) { return s.columns != 0; });
}

}  // namespace

void clear_canvas_for_next_frame() {
    CanvasState& c = canvas();
    const long long whole = static_cast<long long>(c.width) * c.height;
    const bool background = has_background_screen();
    // Past about half the screen one full redraw is cheaper than pieces.
    const bool everywhere = c.drawn_everywhere || !c.partial_redraw || c.framebuffer == 0 ||
                            c.drawn.area() * 2 > whole || !background;
    c.restore_everywhere = everywhere;
    c.to_restore = c.drawn;
    if (everywhere) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        c.blank = !background;  // else the background is drawn back next
    } else {
        glEnable(GL_SCISSOR_TEST);
        for (const Rect& r : c.to_restore.rects()) {
            scissor_to(c, r);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    c.drawn.clear();
    c.drawn_everywhere = false;
}

void restore_canvas_background(int screen) {
    const CanvasState& c = canvas();
    const bool has_picture = screen >= 0 && screen < tiled_screen_count &&
                             graphics().screens[static_cast<std::size_t>(screen)].columns != 0;
    if (!has_picture) return;
    if (c.restore_everywhere) {
        draw_tiled_screen(screen);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    for (const Rect& r : c.to_restore.rects()) {
        scissor_to(c, r);
        draw_tiled_screen(screen);
    }
    glDisable(GL_SCISSOR_TEST);
}

void note_drawn(float left, float top, float right, float bottom) {
    CanvasState& c = canvas();
    c.blank = false;
    if (c.drawn_everywhere) return;
    if (!viewport_is_whole_canvas() || !std::isfinite(left + top + right + bottom)) {
        c.drawn_everywhere = true;
        return;
    }
    // One pixel of margin covers rounding and the rectangles' quarter-pixel shift.
    const auto clamp_x = [&](double v) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(c.width))); };
    const auto clamp_y = [&](double v) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(c.height))); };
    const Rect r{clamp_x(std::floor(std::min(left, right)) - 1.0), clamp_y(std::floor(std::min(top, bottom)) - 1.0),
                 clamp_x(std::ceil(std::max(left, right)) + 1.0), clamp_y(std::ceil(std::max(top, bottom)) + 1.0)};
    if (r.right <= r.left || r.bottom <= r.top) return;
    c.drawn.add(r);
}

void note_drawn_everywhere() {
    canvas().drawn_everywhere = true;
    canvas().blank = false;
}

void note_cleared_whole() { canvas().blank = !has_background_screen(); }

void set_partial_redraw(bool on) {
    canvas().partial_redraw = on;
    canvas().drawn_everywhere = true;
}

}  // namespace rt
