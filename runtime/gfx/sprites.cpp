#include "runtime/gfx/sprites.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/files/media_archive.h"
#include "runtime/gfx/canvas.h"
#include "runtime/files/media_problems.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/gl_extensions.h"
#include "runtime/gfx/texture_builder.h"

namespace rt {
namespace {

GraphicsContext& ctx() { return graphics(); }

SpriteSlot& slot_record(int slot) { return ctx().sprites[static_cast<std::size_t>(slot)]; }

float to_float(double value) { return static_cast<float>(value); }

// Texture-coordinate rectangle and screen quad of one draw.
struct Quad {
    float left, top, right, bottom;
};
struct TexRect {
    float s_left, t_top, s_right, t_bottom;
};

// Top-right, top-left, bottom-left, bottom-right: counter-clockwise on screen,
// the winding the 2D set-up keeps.
void emit_quad(const Quad& q, const TexRect& t) {
    note_drawn(q.left, q.top, q.right, q.bottom);
    glBegin(GL_QUADS);
    glTexCoord2f(t.s_right, t.t_top);
    glVertex2f(q.right, q.top);
    glTexCoord2f(t.s_left, t.t_top);
    glVertex2f(q.left, q.top);
    glTexCoord2f(t.s_left, t.t_bottom);
    glVertex2f(q.left, q.bottom);
    glTexCoord2f(t.s_right, t.t_bottom);
    glVertex2f(q.right, q.bottom);
    glEnd();
}

TexRect whole_picture(const SpriteSlot& s) {
    return {0.0f, static_cast<float>(s.height) / s.texture_height, static_cast<float>(s.width) / s.texture_width,
            0.0f};
}

void apply_sprite_filter() {
    const GLint filter = ctx().smoothing ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// The slot when it holds a picture, bound for drawing with the smoothing filter.
const SpriteSlot* prepare_sprite(double slot_number) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot || slot_record(*slot).texture == 0) return nullptr;
    bind_sprite_texture(*slot);
    apply_sprite_filter();
    return &slot_record(*slot);
}

float ceil_f(double value) { return static_cast<float>(std::ceil(value)); }

// The frame's texture rectangle, or nothing when the slot has no frame grid.
std::optional<TexRect> frame_rect(const SpriteSlot& s, int frame) {
    if (s.frame_width == 0 || s.frame_height == 0) return std::nullopt;
    const int per_row = s.width / s.frame_width;
    if (per_row <= 0) return std::nullopt;
    const int column = frame % per_row;
    const int row = frame / per_row;
    const float tw = s.texture_width;
    const float th = s.texture_height;
    const float bottom = static_cast<float>(s.height - s.frame_height * (row + 1)) / th;
    return TexRect{static_cast<float>(column * s.frame_width) / tw, bottom + s.frame_height / th,
                   static_cast<float>((column + 1) * s.frame_width) / tw, bottom};
}

int truncate_int(double value) {
    if (!(std::abs(value) < 2147483647.0)) return 0;
    return static_cast<int>(value);
}

}  // namespace

std::optional<int> slot_index(double slot) {
    if (!(slot > -1.0 && slot < sprite_slot_count)) return std::nullopt;
    return static_cast<int>(slot);
}

int texture_size_for(int size) {
    int texture_size = 1;
    do {
        texture_size *= 2;
    } while (texture_size < size);
    return texture_size;
}

void free_sprite_slot(int slot) {
    GraphicsContext& context = ctx();
    SpriteSlot& s = slot_record(slot);
    if (context.gl_ready) {
        if (s.texture != 0) keep_spare_texture(s.texture, s.texture_width, s.texture_height, false);
        if (s.mip_texture != 0) glDeleteTextures(1, &s.mip_texture);
    }
    s.texture = 0;
    s.mip_texture = 0;
    s.texture_width = 0xFFFF;
    s.texture_height = 0xFFFF;
    s.width = 0;
    s.height = 0;
    context.alpha_copies[static_cast<std::size_t>(slot)] = AlphaCopy{};
}

void free_all_sprites_and_screens(GraphicsContext& context) {
    context.sprites.for_each_made([](std::size_t slot, const SpriteSlot& s) {
        if (s.texture != 0 || s.mip_texture != 0 || s.width != 0 || s.height != 0) {
            free_sprite_slot(static_cast<int>(slot));
        }
    });
    context.alpha_copies.for_each_made([](std::size_t, AlphaCopy& copy) { copy = AlphaCopy{}; });
    for (int screen = 0; screen < tiled_screen_count; ++screen) clear_tiled_screen(screen);
    drop_spare_textures();
    context.bound_slot = -1;
}

namespace {

// A reload frees a slot and fills it at once, and the background is cleared
// just before it is grabbed again: two spares cover both without holding
// memory that nothing will ask for.
constexpr std::size_t max_spare_textures = 2;

void delete_texture(std::uint32_t name) {
    if (name != 0 && ctx().gl_ready) glDeleteTextures(1, &name);
}

void set_texture_parameters(GLint filter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void set_unpacking() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

// Level 0 goes into a spare texture of its size when there is one.
GLuint upload_texture(const TextureBuffer& buffer, GLint filter) {
    GLuint name = take_spare_texture(buffer.width, buffer.height, false);
    const bool refill = name != 0;
    if (!refill) glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    set_texture_parameters(filter);
    set_unpacking();
    if (refill) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, buffer.width, buffer.height, GL_RGBA, GL_UNSIGNED_BYTE,
                        buffer.texels.data());
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, buffer.width, buffer.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     buffer.texels.data());
    }
    return name;
}

void upload_mip_chain(TextureBuffer& buffer, std::uint32_t& mip_texture) {
    GLuint name = 0;
    glGenTextures(1, &name);
    mip_texture = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    set_unpacking();
    for (int level = 0;; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, buffer.width, buffer.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     buffer.texels.data());
        if (buffer.width == 1 && buffer.height == 1) break;
        next_mip_level(buffer);
    }
}

// Reused by the loads of a frame; given up after it (release_picture_leftovers).
TextureBuffer& scratch_buffer() {
    static TextureBuffer buffer;
    return buffer;
}

}  // namespace

void keep_spare_texture(std::uint32_t name, int width, int height, bool grabbed) {
    if (name == 0) return;
    // A picture cut to the largest texture size is not as large as its slot says.
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    if (width > max_size || height > max_size) {
        delete_texture(name);
        return;
    }
    std::vector<SpareTexture>& spares = ctx().spare_textures;
    if (spares.size() >= max_spare_textures) {
        // The background's storage goes last: the next grab after a choice
        // wants it back, and a picture's storage is small beside it.
        auto gone = std::find_if(spares.begin(), spares.end(), [](const SpareTexture& s) { return !s.grabbed; });
        if (gone == spares.end()) gone = spares.begin();
        delete_texture(gone->name);
        spares.erase(gone);
    }
    spares.push_back({name, width, height, grabbed});
    ctx().pictures_replaced = true;  // given up at the end of the frame unless taken
}

std::uint32_t take_spare_texture(int width, int height, bool grabbed) {
    std::vector<SpareTexture>& spares = ctx().spare_textures;
    for (auto it = spares.rbegin(); it != spares.rend(); ++it) {
        if (it->width == width && it->height == height && it->grabbed == grabbed) {
            const std::uint32_t name = it->name;
            spares.erase(std::next(it).base());
            return name;
        }
    }
    return 0;
}

void drop_spare_textures() {
    for (const SpareTexture& spare : ctx().spare_textures) delete_texture(spare.name);
    ctx().spare_textures.clear();
}

void release_picture_leftovers() {
    drop_spare_textures();
    scratch_buffer() = TextureBuffer{};
}

bool make_texture(const RgbaImage& image, int x, int y, int width, int height, std::uint32_t& texture,
                  std::uint32_t* mip_texture, bool normal_map, bool nearest, const TextureBuffer* prepared) {
    if (width == 0) width = image.width - x;
    if (height == 0) height = image.height - y;
    if (width <= 0 || height <= 0) return false;
    const int max_size = gl_max_texture_size();
    width = std::min(width, max_size);
    height = std::min(height, max_size);
    const int texture_width = texture_size_for(width);
    const int texture_height = texture_size_for(height);

    const bool use_prepared = prepared != nullptr && !nearest && !normal_map && x == 0 && y == 0 &&
                              width == image.width && height == image.height && prepared->width == texture_width &&
                              prepared->height == texture_height;
    TextureBuffer& buffer = scratch_buffer();
    if (!use_prepared) {
        build_texels(buffer, image, x, y, width, height, texture_width, texture_height, nearest, normal_map);
    }

    delete_texture(texture);
    texture = upload_texture(use_prepared ? *prepared : buffer, nearest ? GL_NEAREST : GL_LINEAR);
    if (mip_texture != nullptr) {
        delete_texture(*mip_texture);
        *mip_texture = 0;  // built from the texture when first asked for
    }
    return true;
}

std::uint32_t sprite_mip_texture(int slot) {
    SpriteSlot& s = slot_record(slot);
    if (s.mip_texture != 0 || s.texture == 0 || slot >= first_font_slot) return s.mip_texture;
    // Level 0 read back exactly as it was uploaded (RGBA8 both ways).
    TextureBuffer buffer;
    glBindTexture(GL_TEXTURE_2D, s.texture);
    ctx().bound_slot = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &buffer.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &buffer.height);
    if (buffer.width <= 0 || buffer.height <= 0) return 0;
    buffer.texels.resize(static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(buffer.height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, buffer.texels.data());
    upload_mip_chain(buffer, s.mip_texture);
    return s.mip_texture;
}

bool load_picture_into_slot(int slot, const std::string& file, std::int32_t key, bool normal_map) {
    free_sprite_slot(slot);
    ctx().pictures_replaced = true;
    RgbaImage image;
    TextureBuffer prepared;
    if (!read_picture_image(image, file, key, &prepared)) return false;
    return store_image_in_slot(slot, image, normal_map, prepared.texels.empty() ? nullptr : &prepared);
}

bool store_image_in_slot(int slot, const RgbaImage& image, bool normal_map, const TextureBuffer* prepared) {
    free_sprite_slot(slot);
    if (image.width == 0 || image.height == 0) return false;
    // Pictures beyond the slot's 16-bit sizes cannot be recorded.
    if (image.width > 0x7FFF || image.height > 0x7FFF) return false;

    SpriteSlot& s = slot_record(slot);
    const bool font = slot >= first_font_slot;
    if (!make_texture(image, 0, 0, image.width, image.height, s.texture, font ? nullptr : &s.mip_texture, normal_map,
                      font, prepared)) {
        return false;
    }
    s.texture_width = static_cast<std::uint16_t>(texture_size_for(image.width));
    s.texture_height = static_cast<std::uint16_t>(texture_size_for(image.height));
    s.width = static_cast<std::int16_t>(image.width);
    s.height = static_cast<std::int16_t>(image.height);
    ctx().bound_slot = -1;  // make_texture left its own texture bound
    return true;
}

void bind_sprite_texture(int slot) {
    // Rebinding would end the renderer's batch of quads (a string of glyphs
    // is one batch); whatever binds another texture resets bound_slot.
    if (ctx().bound_slot == slot) return;
    if (const auto active_texture = gl_extensions().glActiveTextureARB) {
        active_texture(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        active_texture(GL_TEXTURE0_ARB);
    }
    glBindTexture(GL_TEXTURE_2D, slot_record(slot).texture);
    glEnable(GL_TEXTURE_2D);
    ctx().bound_slot = slot;
}

// ---- Loading commands ----------------------------------------------------

namespace {

void load_into_slot(const std::string& file, double slot_number, std::int32_t key, bool normal_map) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return;
    free_sprite_slot(*slot);
    std::string path;
    if (!resolve_media(MediaMount::graphics, file, path)) return;
    if (!load_picture_into_slot(*slot, path, key, normal_map)) report_media_problem(file, MediaProblem::undecodable);
}

}  // namespace

void load_sprite(const std::string& file, double slot) {
    load_into_slot(file, slot, static_cast<std::int32_t>(ctx().transparent_color), false);
}

void load_normal_map(const std::string& file, double slot) { load_into_slot(file, slot, default_color_key, true); }

void set_frame_size(double slot_number, double frame_width, double frame_height) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return;
    SpriteSlot& s = slot_record(*slot);
    s.frame_width = static_cast<std::int16_t>(truncate_int(frame_width));
    s.frame_height = static_cast<std::int16_t>(truncate_int(frame_height));
}

void load_animation(const std::string& file, double slot, double frame_width, double frame_height) {
    load_sprite(file, slot);
    const std::optional<int> index = slot_index(slot);
    if (index && slot_record(*index).width > 0) set_frame_size(slot, frame_width, frame_height);
}

void sprite_size(double slot_number, double& width, double& height) {
    width = height = 0.0;
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return;
    width = slot_record(*slot).width;
    height = slot_record(*slot).height;
}

// ---- Drawing --------------------------------------------------------------

void draw_sprite(double slot, double x, double y) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const float left = ceil_f(x);
    const float top = ceil_f(y);
    emit_quad({left, top, left + s->width, top + s->height}, whole_picture(*s));
}

void draw_sprite_stretched(double slot, double x, double y, double width, double height) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const float left = ceil_f(x);
    const float top = ceil_f(y);
    const float w = ceil_f(width);
    const float h = ceil_f(height);
    // One mirrored axis reverses the winding; both mirrored is a half turn,
    // which keeps it, so that picture stays visible.
    const bool reversed = (w < 0.0f) != (h < 0.0f);
    if (reversed) glFrontFace(GL_CW);
    emit_quad({left, top, left + w, top + h}, whole_picture(*s));
    if (reversed) glFrontFace(GL_CCW);
}

void draw_sprite_zoomed(double slot, double x, double y, double factor_x, double factor_y) {
    double width = 0.0;
    double height = 0.0;
    sprite_size(slot, width, height);
    draw_sprite_stretched(slot, x - (width * factor_x - width) / 2.0, y - (height * factor_y - height) / 2.0,
                          width * factor_x, height * factor_y);
}

void draw_sprite_rotated(double slot, double x, double y, double angle, double zoom) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const float half_w = to_float(s->width * zoom / 2.0);
    const float half_h = to_float(s->height * zoom / 2.0);
    const float tw = s->texture_width;
    const float th = s->texture_height;
    note_drawn_everywhere();  // emit_quad sees only the unrotated corners
    glPushMatrix();
    glTranslatef(to_float(x + s->width / 2), to_float(y + s->height / 2), 0.0f);
    glRotatef(to_float(angle), 0.0f, 0.0f, -1.0f);
    // Half a texel inset keeps linear filtering from wrapping around the edges.
    emit_quad({-half_w, -half_h, half_w, half_h},
              {0.5f / tw, (s->height - 0.5f) / th, (s->width - 0.5f) / tw, 0.5f / th});
    glPopMatrix();
}

void draw_frame(double slot, double frame, double x, double y) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const std::optional<TexRect> rect = frame_rect(*s, truncate_int(frame));
    if (!rect) return;
    const float left = ceil_f(x);
    const float top = ceil_f(y);
    emit_quad({left, top, left + s->frame_width, top + s->frame_height}, *rect);
}

void draw_frame_stretched(double slot, double frame, double x, double y, double width, double height) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const std::optional<TexRect> rect = frame_rect(*s, truncate_int(frame));
    if (!rect) return;
    const float left = ceil_f(x);
    const float top = ceil_f(y);
    emit_quad({left, top, left + ceil_f(width), top + ceil_f(height)}, *rect);
}

void draw_frame_rotated(double slot, double frame, double x, double y, double angle, double zoom) {
    const SpriteSlot* s = prepare_sprite(slot);
    if (s == nullptr) return;
    const std::optional<TexRect> rect = frame_rect(*s, truncate_int(frame));
    if (!rect) return;
    const double a = angle * 0.017453292;
    const double cos_a = std::cos(a);
    const double sin_a = std::sin(a);
    const double cx = x + s->frame_width / 2;
    const double cy = y + s->frame_height / 2;
    const double hw = s->frame_width * zoom / 2.0;
    const double hh = s->frame_height * zoom / 2.0;
    const auto corner = [&](double u, double v, float s_coord, float t_coord) {
        glTexCoord2f(s_coord, t_coord);
        glVertex2d(cx + u * cos_a + v * sin_a, cy - u * sin_a + v * cos_a);
    };
    note_drawn_everywhere();
    glBegin(GL_QUADS);
    corner(hw, -hh, rect->s_right, rect->t_top);
    corner(-hw, -hh, rect->s_left, rect->t_top);
    corner(-hw, hh, rect->s_left, rect->t_bottom);
    corner(hw, hh, rect->s_right, rect->t_bottom);
    glEnd();
}

// ---- Blend state, colours, rectangles, pixels -----------------------------

void set_alpha_mode(double alpha) {
    GraphicsContext& context = ctx();
    if (alpha == 0.0 || std::isnan(alpha)) {
        glDisable(GL_BLEND);
        context.current_alpha = 1.0f;
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, alpha < 0.0 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
        context.current_alpha = static_cast<float>(std::min(std::abs(alpha), 1.0));
    }
    glColor4f(1.0f, 1.0f, 1.0f, context.current_alpha);
}

void set_smoothing(double on) { ctx().smoothing = on != 0.0; }

void set_transparent_color(double color) {
    const auto packed = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::isfinite(color) ? color : 0.0));
    ctx().transparent_color = packed;
    ctx().font_transparent_color = packed;
}

namespace {

std::int64_t packed_from(double color) {
    if (!std::isfinite(color) || std::abs(color) > 9.0e15) return 0;
    return static_cast<std::int64_t>(color);
}

// Untextured drawing in a packed colour with the blend mode's alpha; a colour
// equal to the sprite key is fully transparent.
void set_plain_color(double color) {
    GraphicsContext& context = ctx();
    const std::int64_t packed = packed_from(color);
    const auto alpha = packed == static_cast<std::int64_t>(context.transparent_color)
                           ? 0
                           : static_cast<int>(std::floor(255.0f * context.current_alpha));
    glDisable(GL_TEXTURE_2D);
    context.bound_slot = -1;
    glColor4ub(static_cast<GLubyte>(packed & 0xFF), static_cast<GLubyte>((packed >> 8) & 0xFF),
               static_cast<GLubyte>((packed >> 16) & 0xFF), static_cast<GLubyte>(alpha));
}

void restore_sprite_color() { glColor4f(1.0f, 1.0f, 1.0f, ctx().current_alpha); }

}  // namespace

void draw_rect(double x, double y, double width, double height, double color) {
    double left = x;
    double top = y;
    if (width < 0.0) {
        left = x + width + 1.0;
        width = -width;
    }
    if (height < 0.0) {
        top = y + height + 1.0;
        height = -height;
    }
    glDisable(GL_ALPHA_TEST);
    set_plain_color(color);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    // Whole-pixel edges then cover exactly the pixels they name.
    glTranslatef(0.375f, 0.375f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    emit_quad({to_float(left), to_float(top), to_float(left + width), to_float(top + height)}, {0, 0, 0, 0});
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    restore_sprite_color();
    glEnable(GL_ALPHA_TEST);
}

void draw_point(double x, double y, double color) {
    glDisable(GL_ALPHA_TEST);
    set_plain_color(color);
    note_drawn(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + 1.0), static_cast<float>(y + 1.0));
    glBegin(GL_POINTS);
    glVertex2d(std::floor(x) + 0.5, std::floor(y) + 0.5);
    glEnd();
    restore_sprite_color();
    glEnable(GL_ALPHA_TEST);
}

double read_pixel(double x, double y) {
    GLubyte rgb[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(truncate_int(x), ctx().height - 1 - truncate_int(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return rgb[0] + 256.0 * rgb[1] + 65536.0 * rgb[2];
}

}  // namespace rt
