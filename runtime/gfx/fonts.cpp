#include "runtime/gfx/fonts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "runtime/files/media_archive.h"
#include "runtime/gfx/canvas.h"
#include "runtime/files/media_problems.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

int current_font_number = 0;

// Bit gy * 5 + gx paints glyph pixel (gx, gy), gx 0..4, gy 0..5; codes 32..127.
constexpr std::array<std::uint32_t, 96> glyph_words = {
    0x00000000, 0x08021080, 0x00002940, 0x15F57D40, 0x08E619C4, 0x14222140, 0x0ED114E0, 0x00001080,
    0x08210880, 0x04421040, 0x09575480, 0x08471080, 0x04400000, 0x00070000, 0x08000000, 0x04222100,
    0x00E5294E, 0x004210C4, 0x00E1390E, 0x00E4390E, 0x0084394A, 0x00E4384E, 0x00E5384E, 0x0042210E,
    0x00E5394E, 0x00E4394E, 0x00020080, 0x00220080, 0x00820888, 0x000701C0, 0x00222082, 0x0040310E,
    0x00E0B526, 0x00A5394E, 0x00E5194E, 0x00E5094E, 0x00E52946, 0x00E1384E, 0x0021384E, 0x00E5284E,
    0x00A5394A, 0x00E2108E, 0x00E5210C, 0x00A5194A, 0x00E10842, 0x015AD6BF, 0x00A5294E, 0x00E5294E,
    0x0021394E, 0x00F294A7, 0x00A5194E, 0x00E4384E, 0x0042108E, 0x00E5294A, 0x0045294A, 0x01FAD6B5,
    0x00A5114A, 0x0042394A, 0x00E1110E, 0x00610846, 0x01041041, 0x00621086, 0x00000144, 0x00E00000,
    0x00000082, 0x00E53000, 0x00E53842, 0x00E13800, 0x00E53908, 0x08273800, 0x00423888, 0x08873800,
    0x00A51842, 0x00421004, 0x04421004, 0x00A32842, 0x00421084, 0x015ABC00, 0x00A51800, 0x00E53800,
    0x04E51800, 0x10E53000, 0x00253800, 0x00E409C0, 0x00C23884, 0x00C52800, 0x00452800, 0x00EAD400,
    0x00A22800, 0x1C872800, 0x00E121C0, 0x00821888, 0x00421084, 0x00223082, 0x0002A800, 0x3F18C63F,
};

constexpr int builtin_width = 128;
constexpr int builtin_height = 64;
constexpr int cell = 8;

int clamp_font(double font) {
    if (!(font > 0.0)) return 0;  // also NaN
    return static_cast<int>(std::min(font, static_cast<double>(font_count - 1)));
}

int font_slot(int font) { return first_font_slot + font; }

struct FontGrid {
    int rows;
    int characters;
    int cell_width;
    int cell_height;
};

FontGrid grid_of(const SpriteSlot& s) {
    const int rows = s.width >= s.height ? 8 : 16;
    return {rows, rows * 16, s.width / 16, s.height / rows};
}

void paint_glyph(RgbaImage& image, int code) {
    const std::uint32_t word = glyph_words[static_cast<std::size_t>(code - 32)];
    const int cell_x = (code % 16) * cell;
    const int cell_y = (code / 16) * cell;
    for (int gy = 0; gy < 6; ++gy) {
        for (int gx = 0; gx < 5; ++gx) {
            if ((word >> (gy * 5 + gx)) & 1U) {
                std::uint8_t* p = image.pixel(cell_x + gx + 1, cell_y + gy + 1);
                p[0] = p[1] = p[2] = p[3] = 255;
            }
        }
    }
}

bool painted(const RgbaImage& image, int x, int y) {
    return image.pixel(x, y)[0] == 255 && image.pixel(x, y)[3] == 255;
}

void outline_cell(RgbaImage& image, int code) {
    const int cell_x = (code % 16) * cell;
    const int cell_y = (code / 16) * cell;
    for (int y = 0; y < cell; ++y) {
        for (int x = 0; x < cell - 1; ++x) {  // column 7 stays empty
            if (painted(image, cell_x + x, cell_y + y)) continue;
            const bool next_to_glyph = (x > 0 && painted(image, cell_x + x - 1, cell_y + y)) ||
                                       painted(image, cell_x + x + 1, cell_y + y) ||
                                       (y > 0 && painted(image, cell_x + x, cell_y + y - 1)) ||
                                       (y < cell - 1 && painted(image, cell_x + x, cell_y + y + 1));
            if (next_to_glyph) {
                std::uint8_t* p = image.pixel(cell_x + x, cell_y + y);
                p[0] = p[1] = p[2] = 8;
                p[3] = 255;
            }
        }
    }
}

void reserve_text_vertices(std::vector<TextVertex>& vertices, std::size_t needed) {
    if (vertices.capacity() > needed) return;
    vertices.reserve(needed <= 512 ? 512 : 128 * (needed / 128 + 1));
}

}  // namespace

int current_font() { return current_font_number; }

void make_builtin_font_image(RgbaImage& image) {
    image.reset(builtin_width, builtin_height);
    for (int code = 32; code < 128; ++code) paint_glyph(image, code);
    // Outlines after all glyphs, so an outline never counts as glyph.
    for (int code = 32; code < 128; ++code) outline_cell(image, code);
}

void load_builtin_font(int font) {
    const int slot = font_slot(font);
    free_sprite_slot(slot);
    RgbaImage image;
    make_builtin_font_image(image);
    SpriteSlot& s = graphics().sprites[static_cast<std::size_t>(slot)];
    if (!make_texture(image, 0, 0, 0, 0, s.texture, nullptr, false, true)) return;
    s.texture_width = builtin_width;
    s.texture_height = builtin_height;
    s.width = builtin_width;
    s.height = builtin_height;
    graphics().bound_slot = -1;
}

void load_font(const std::string& file, double font) {
    const int number = clamp_font(font);
    current_font_number = number;
    std::string path;
    if (resolve_media(MediaMount::graphics, file, path)) {
        if (load_picture_into_slot(font_slot(number), path,
                                   static_cast<std::int32_t>(graphics().font_transparent_color), false)) {
            return;
        }
        report_media_problem(file, MediaProblem::undecodable);
    }
    load_builtin_font(number);
}

void set_font(double font) { current_font_number = clamp_font(font); }

void font_char_size(double& width, double& height) {
    const SpriteSlot& s = graphics().sprites[static_cast<std::size_t>(font_slot(current_font_number))];
    const FontGrid grid = grid_of(s);
    width = grid.cell_width;
    height = grid.cell_height;
}

void draw_text(const std::string& text, double x, double y) { draw_text_impl(current_font_number, text, x, y, 0.0); }

void draw_text_impl(int font, const std::string& text, double x, double y, double z) {
    const std::size_t length = std::min(text.size(), text.find('\0'));
    if (length == 0) return;
    GraphicsContext& context = graphics();
    const int slot = font_slot(font);
    const SpriteSlot& s = context.sprites[static_cast<std::size_t>(slot)];
    if (s.texture == 0) return;
    bind_sprite_texture(slot);

    const FontGrid grid = grid_of(s);
    const float ds = (static_cast<float>(s.width) / s.texture_width) / 16.0f;
    const float dt = (static_cast<float>(s.height) / s.texture_height) / static_cast<float>(grid.rows);
    float left = static_cast<float>(std::ceil(x));
    const float top = static_cast<float>(std::ceil(y));
    const float bottom = top + static_cast<float>(grid.cell_height);
    const auto depth = static_cast<float>(z);

    std::vector<TextVertex>& vertices = context.text_vertices;
    reserve_text_vertices(vertices, 4 * length);
    vertices.clear();
    for (std::size_t i = 0; i < length; ++i) {
        const int code = static_cast<unsigned char>(text[i]) % grid.characters;
        const float s0 = static_cast<float>(code % 16) * ds;
        const float t0 = static_cast<float>(grid.rows - 1 - code / 16) * dt;  // stored upside down
        const float right = left + static_cast<float>(grid.cell_width);
        vertices.push_back({left, bottom, depth, s0, t0});
        vertices.push_back({right, bottom, depth, s0 + ds, t0});
        vertices.push_back({right, top, depth, s0 + ds, t0 + dt});
        vertices.push_back({left, top, depth, s0, t0 + dt});
        left = right;
    }

    note_drawn(static_cast<float>(std::ceil(x)), top, left, bottom);
    glColor4f(1.0f, 1.0f, 1.0f, context.current_alpha);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TextVertex), &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TextVertex), &vertices[0].s);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void draw_loading_text(int screen_width, int screen_height) {
    const std::string text = "Loading...";
    double cell_width = 0.0;
    double cell_height = 0.0;
    font_char_size(cell_width, cell_height);
    draw_text(text, (screen_width - static_cast<double>(text.size()) * cell_width) / 2.0,
              (screen_height - cell_height) / 2.0);
}

}  // namespace rt
