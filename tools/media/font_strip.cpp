// Renders the game's bitmap font strip from a TrueType font: 96 cells
// (character codes 32 to 127) in rows of 16, each glyph hinted for
// one-bit output so every pixel is either fully set or fully clear.
// A glyph is light ink with a one-pixel dark outline, so it reads over any
// picture and the kerning scan (which looks for pixels that are not pure
// white) finds its right edge; its outline touches the cell's left edge.
// The small strip has no room for a ring: its outline is a drop shadow
// below and to the right, and the ink itself starts at the left edge.
// Usage: media_font FONT.ttf CELL_SIZE PIXEL_SIZE ring|shadow OUT.png
#include "tools/media/png_io.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int first_code = 32;
constexpr int glyph_count = 96;
constexpr int columns = 16;
// Code 127 has no printable glyph; a small house sign fills its cell.
constexpr unsigned long delete_stand_in = 0x2302;

struct Colour {
    std::uint8_t r, g, b;
};
// Never pure white: the kerning scan must see every glyph pixel.
constexpr Colour ink_top{255, 250, 228};
constexpr Colour ink_bottom{246, 206, 120};
constexpr Colour outline{26, 18, 38};

// A one-bit glyph image placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;  // bitmap_left
    int top = 0;   // bitmap_top: rows above the baseline
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> ink;  // width * rows, 0 or 1
};

class Face {
public:
    Face(const std::string& path, int pixel_size) {
        if (FT_Init_FreeType(&library_)) throw std::runtime_error("FreeType did not start");
        if (FT_New_Face(library_, path.c_str(), 0, &face_)) {
            FT_Done_FreeType(library_);
            throw std::runtime_error("cannot open font " + path);
        }
        FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixel_size));
    }
    ~Face() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    Glyph render(unsigned long code) const {
        if (FT_Load_Char(face_, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
            throw std::runtime_error("cannot render character " + std::to_string(code));
        const FT_Bitmap& bm = face_->glyph->bitmap;
        Glyph g;
        g.left = face_->glyph->bitmap_left;
        g.top = face_->glyph->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.rows = static_cast<int>(bm.rows);
        g.ink.resize(static_cast<size_t>(g.width) * g.rows);
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x)
                g.ink[static_cast<size_t>(y) * g.width + x] = (bm.buffer[y * bm.pitch + x / 8] >> (7 - x % 8)) & 1;
        return g;
    }
    bool has(unsigned long code) const { return FT_Get_Char_Index(face_, code) != 0; }

private:
    FT_Library library_{};
    FT_Face face_{};
};

// Trims empty columns so that the ink's left edge is the glyph's left edge.
void trim_columns(Glyph& g) {
    int lo = g.width, hi = -1;
    for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.ink[static_cast<size_t>(y) * g.width + x]) lo = std::min(lo, x), hi = std::max(hi, x);
    if (hi < 0) {
        g.width = 0;
        g.ink.clear();
        return;
    }
    std::vector<std::uint8_t> trimmed;
    const int w = hi - lo + 1;
    for (int y = 0; y < g.rows; ++y)
        for (int x = lo; x <= hi; ++x) trimmed.push_back(g.ink[static_cast<size_t>(y) * g.width + x]);
    g.width = w;
    g.ink = std::move(trimmed);
}

Colour ink_at(int row, int top_row, int bottom_row) {
    const int span = std::max(1, bottom_row - top_row);
    const double t = std::clamp(static_cast<double>(row - top_row) / span, 0.0, 1.0);
    auto mix = [t](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(a + (b - a) * t + 0.5); };
    return {mix(ink_top.r, ink_bottom.r), mix(ink_top.g, ink_bottom.g), mix(ink_top.b, ink_bottom.b)};
}

void put(media_tools::Rgba& img, int x, int y, Colour c) {
    std::uint8_t* p = img.at(x, y);
    p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
}

enum class Outline { ring, shadow };

// Draws one glyph into its cell with its outline; the outline (ring) or the
// ink (shadow) touches the cell's left edge.
void draw_cell(media_tools::Rgba& img, int cell_x, int cell_y, int cell, int baseline, int cap_row,
               const Glyph& g, Outline style) {
    if (g.width == 0) return;
    const int margin = style == Outline::ring ? 1 : 0;
    const int ox = margin, oy = baseline - g.top;
    if (ox + g.width + 1 > cell || oy < margin || oy + g.rows + 1 > cell)
        throw std::runtime_error("glyph does not fit its cell; choose a smaller pixel size");
    auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < g.width && y < g.rows && g.ink[static_cast<size_t>(y) * g.width + x];
    };
    for (int y = -1; y <= g.rows; ++y) {
        for (int x = -1; x <= g.width; ++x) {
            const int px = cell_x + ox + x, py = cell_y + oy + y;
            if (inked(x, y)) {
                put(img, px, py, ink_at(oy + y, cap_row, baseline));
                continue;
            }
            bool near = false;
            if (style == Outline::ring) {
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx) near = inked(x + dx, y + dy);
            } else {
                near = inked(x - 1, y) || inked(x, y - 1) || inked(x - 1, y - 1);
            }
            if (near) put(img, px, py, outline);
        }
    }
}

media_tools::Rgba build_strip(const Face& face, int cell, Outline style) {
    std::vector<Glyph> glyphs(glyph_count);
    for (int f = 1; f < glyph_count; ++f) {
        unsigned long code = static_cast<unsigned long>(first_code + f);
        if (code == 127) code = face.has(delete_stand_in) ? delete_stand_in : '#';
        glyphs[f] = face.render(code);
        trim_columns(glyphs[f]);
    }
    // One baseline for all cells, as low as the deepest descender allows.
    int descent = 0;
    for (const Glyph& g : glyphs)
        if (g.width) descent = std::max(descent, g.rows - g.top);
    const int baseline = cell - 1 - descent;
    const int cap_row = baseline - glyphs['H' - first_code].top;

    media_tools::Rgba img;
    img.width = columns * cell;
    img.height = (glyph_count / columns) * cell;
    img.pixels.assign(static_cast<size_t>(img.width) * img.height * 4, 0);
    for (int f = 0; f < glyph_count; ++f)
        draw_cell(img, (f % columns) * cell, (f / columns) * cell, cell, baseline, cap_row, glyphs[f], style);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FONT.ttf CELL_SIZE PIXEL_SIZE ring|shadow OUT.png\n", argv[0]);
        return 2;
    }
    try {
        const int cell = std::atoi(argv[2]);
        const int pixel_size = std::atoi(argv[3]);
        if (cell < 4 || pixel_size < 4) throw std::runtime_error("cell and pixel size must be at least 4");
        const std::string style_name = argv[4];
        if (style_name != "ring" && style_name != "shadow") throw std::runtime_error("outline is ring or shadow");
        const Outline style = style_name == "ring" ? Outline::ring : Outline::shadow;
        const Face face(argv[1], pixel_size);
        media_tools::write_png(argv[5], build_strip(face, cell, style));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
