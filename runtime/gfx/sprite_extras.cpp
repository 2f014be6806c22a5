// Textured polygons and pixel-exact collisions.
#include <algorithm>
#include <cmath>

#include "runtime/gfx/canvas.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

GraphicsContext& ctx() { return graphics(); }

std::uint8_t channel(double color, int shift) {
    if (!std::isfinite(color) || std::abs(color) > 9.0e15) return 0;
    return static_cast<std::uint8_t>((static_cast<std::int64_t>(color) >> shift) & 0xFF);
}

// Alpha above the 2D alpha test (0.05) is what reaches the screen.
constexpr std::uint8_t min_visible_alpha = 13;

// Where a picture or one of its frames sits on screen and in the sheet.
struct Placement {
    int slot = 0;
    int left = 0, top = 0;          // screen position of the top-left pixel
    int width = 0, height = 0;      // size on screen
    int origin_x = 0, origin_y = 0; // top-left pixel inside the picture
};

std::optional<Placement> place_picture(double slot_number, double x, double y) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return std::nullopt;
    const SpriteSlot& s = ctx().sprites[static_cast<std::size_t>(*slot)];
    if (s.texture == 0 || s.width <= 0 || s.height <= 0) return std::nullopt;
    return Placement{*slot, static_cast<int>(std::ceil(x)), static_cast<int>(std::ceil(y)), s.width, s.height, 0, 0};
}

std::optional<Placement> place_frame(double slot_number, double frame_number, double x, double y) {
    std::optional<Placement> placement = place_picture(slot_number, x, y);
    if (!placement) return std::nullopt;
    const SpriteSlot& s = ctx().sprites[static_cast<std::size_t>(placement->slot)];
    if (s.frame_width <= 0 || s.frame_height <= 0) return std::nullopt;
    const int per_row = s.width / s.frame_width;
    if (per_row <= 0 || !(std::abs(frame_number) < 1.0e9)) return std::nullopt;
    const int frame = static_cast<int>(frame_number);
    placement->width = s.frame_width;
    placement->height = s.frame_height;
    placement->origin_x = (frame % per_row) * s.frame_width;
    placement->origin_y = (frame / per_row) * s.frame_height;
    return placement;
}

// Whether the picture draws the pixel at screen position (x, y).
bool opaque_at(const Placement& p, const AlphaCopy& copy, int picture_height, int x, int y) {
    const int picture_x = p.origin_x + (x - p.left);
    const int picture_y = p.origin_y + (y - p.top);
    const int texel_y = picture_height - 1 - picture_y;  // textures are stored upside down
    if (picture_x < 0 || texel_y < 0 || picture_x >= copy.width || texel_y >= copy.height) return false;
    return copy.alpha[static_cast<std::size_t>(texel_y) * copy.width + picture_x] >= min_visible_alpha;
}

double collide(const std::optional<Placement>& a, const std::optional<Placement>& b) {
    if (!a || !b) return 0.0;
    const int left = std::max(a->left, b->left);
    const int top = std::max(a->top, b->top);
    const int right = std::min(a->left + a->width, b->left + b->width);
    const int bottom = std::min(a->top + a->height, b->top + b->height);
    if (left >= right || top >= bottom) return 0.0;
    const AlphaCopy& copy_a = sprite_alpha_copy(a->slot);
    const AlphaCopy& copy_b = sprite_alpha_copy(b->slot);
    const int height_a = ctx().sprites[static_cast<std::size_t>(a->slot)].height;
    const int height_b = ctx().sprites[static_cast<std::size_t>(b->slot)].height;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (opaque_at(*a, copy_a, height_a, x, y) && opaque_at(*b, copy_b, height_b, x, y)) return 1.0;
        }
    }
    return 0.0;
}

}  // namespace

const AlphaCopy& sprite_alpha_copy(int slot) {
    AlphaCopy& copy = ctx().alpha_copies[static_cast<std::size_t>(slot)];
    const SpriteSlot& s = ctx().sprites[static_cast<std::size_t>(slot)];
    if (!copy.alpha.empty() || s.texture == 0) return copy;
    glBindTexture(GL_TEXTURE_2D, s.texture);
    ctx().bound_slot = -1;
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return copy;
    copy.alpha.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, copy.alpha.data());
    copy.width = width;
    copy.height = height;
    return copy;
}

double sprites_collide(double slot_a, double x_a, double y_a, double slot_b, double x_b, double y_b) {
    return collide(place_picture(slot_a, x_a, y_a), place_picture(slot_b, x_b, y_b));
}

double frames_collide(double slot_a, double frame_a, double x_a, double y_a, double slot_b, double frame_b,
                      double x_b, double y_b) {
    return collide(place_frame(slot_a, frame_a, x_a, y_a), place_frame(slot_b, frame_b, x_b, y_b));
}

void add_polygon_vertex(double x, double y, double s, double t, double color) {
    ctx().polygon_vertices.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(s),
                                      static_cast<float>(t), channel(color, 0), channel(color, 8),
                                      channel(color, 16)});
}

void draw_polygon(double slot_number) {
    GraphicsContext& context = ctx();
    std::vector<PolygonVertex> vertices;
    vertices.swap(context.polygon_vertices);
    if (vertices.size() < 3) return;

    const std::optional<int> slot = slot_index(slot_number);
    float s_scale = 0.0f;
    float t_scale = 0.0f;
    if (slot && context.sprites[static_cast<std::size_t>(*slot)].texture != 0) {
        const SpriteSlot& s = context.sprites[static_cast<std::size_t>(*slot)];
        bind_sprite_texture(*slot);
        const GLint filter = context.smoothing ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        s_scale = static_cast<float>(s.width) / s.texture_width;
        t_scale = static_cast<float>(s.height) / s.texture_height;
    } else {
        glDisable(GL_TEXTURE_2D);
        context.bound_slot = -1;
    }
    const auto alpha = static_cast<GLubyte>(std::floor(255.0f * context.current_alpha));
    glDisable(GL_CULL_FACE);
    note_drawn_everywhere();
    glBegin(GL_TRIANGLE_FAN);
    for (const PolygonVertex& v : vertices) {
        glColor4ub(v.red, v.green, v.blue, alpha);
        // The picture's top (t = 0) is the texture's upper end.
        if (context.bound_slot != -1) glTexCoord2f(v.s * s_scale, (1.0f - v.t) * t_scale);
        glVertex2f(v.x, v.y);
    }
    glEnd();
    glEnable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, context.current_alpha);
}

}  // namespace rt
