#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/gfx/slot_table.h"

namespace rt {

// One numbered picture: a GL texture padded to powers of two, stored upside down.
struct SpriteSlot {
    std::uint32_t texture = 0;      // 0 = none
    std::uint32_t mip_texture = 0;  // mipmapped twin; 0 = none
    std::uint16_t texture_width = 0xFFFF;  // 0xFFFF while empty
    std::uint16_t texture_height = 0xFFFF;
    std::int16_t width = 0;  // picture size; 0 while empty
    std::int16_t height = 0;
    std::int16_t frame_width = 0;  // 0 = not an animation
    std::int16_t frame_height = 0;
};

inline constexpr int sprite_slot_count = 65536;
inline constexpr int first_font_slot = 65504;
inline constexpr int font_count = 32;

// Alpha values of a slot's texture, read back for pixel-exact collisions.
struct AlphaCopy {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> alpha;  // rows as stored in the texture (bottom row first)
};

struct ScreenTile {
    std::uint32_t texture = 0;
    std::int32_t texture_width = 0;
    std::int32_t texture_height = 0;
    std::int32_t used_width = 0;
    std::int32_t used_height = 0;
};

inline constexpr int max_screen_tiles_per_side = 64;
inline constexpr int tiled_screen_count = 16;

// A whole-screen picture as a grid of tiles; screen 0 is the background
// every frame starts from.
struct TiledScreen {
    std::int32_t columns = 0;  // both 0 when empty
    std::int32_t rows = 0;
    std::vector<ScreenTile> tiles;  // row by row from the top left
    bool grabbed = false;           // tiles copied from the back buffer, not made from a picture
};

// A texture no slot or screen holds any more, kept so that the next load of
// the same size fills it instead of allocating new storage.
struct SpareTexture {
    std::uint32_t name = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool grabbed = false;  // a screen tile: only its copied part is defined
};

struct PolygonVertex {
    float x, y, s, t;
    std::uint8_t red, green, blue;
};

// Vertex of the font printer: position then texture coordinate.
struct TextVertex {
    float x, y, z, s, t;
};

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

    SlotTable<SpriteSlot, sprite_slot_count> sprites;
    SlotTable<AlphaCopy, sprite_slot_count> alpha_copies;
    std::int32_t bound_slot = -1;  // slot bound last; -1 = texturing off
    bool pictures_replaced = false;  // pictures loaded or freed since the last shown frame
    std::array<TiledScreen, tiled_screen_count> screens{};
    std::vector<SpareTexture> spare_textures;  // a few, most recent last
    std::vector<TextVertex> text_vertices;  // reused by every print
    std::vector<PolygonVertex> polygon_vertices;  // collected until draw_polygon
};

// Makes the process's context (replacing an earlier one, which only tests do).
GraphicsContext& create_graphics_context();
bool has_graphics_context();
GraphicsContext& graphics();

}  // namespace rt
