#include <algorithm>
#include <vector>

#include "runtime/core/error_log.h"
#include "runtime/files/media_archive.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/screen_quad.h"
#include "runtime/gfx/gl_extensions.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

GraphicsContext& ctx() { return graphics(); }

bool valid_screen(int screen) { return screen >= 0 && screen < tiled_screen_count; }

int max_texture_size() { return gl_max_texture_size(); }

int tiles_needed(int length, int tile) { return (length + tile - 1) / tile; }

// A grabbed screen's spare tile of this size is taken before new storage.
GLuint new_screen_texture(int size) {
    GLuint name = take_spare_texture(size, size, true);
    const bool refill = name != 0;
    if (!refill) glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (!refill) glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return name;
}

void delete_tile_texture(ScreenTile& tile) {
    if (tile.texture != 0 && ctx().gl_ready) glDeleteTextures(1, &tile.texture);
    tile.texture = 0;
}

void clear_back_buffer() {
    glClear(GL_COLOR_BUFFER_BIT);
    note_cleared_whole();
}

}  // namespace

void clear_tiled_screen(int screen) {
    if (!valid_screen(screen)) return;
    TiledScreen& s = ctx().screens[static_cast<std::size_t>(screen)];
    for (ScreenTile& tile : s.tiles) {
        // The next grab (after every choice) fills the same storage again.
        if (s.grabbed && tile.texture != 0 && ctx().gl_ready) {
            keep_spare_texture(tile.texture, tile.texture_width, tile.texture_height, true);
            tile.texture = 0;
        }
        delete_tile_texture(tile);
    }
    s = TiledScreen{};
    note_drawn_everywhere();  // the next frame starts from a different background
}

void grab_into_screen(int screen) {
    if (!valid_screen(screen)) return;
    GraphicsContext& context = ctx();
    TiledScreen& s = context.screens[static_cast<std::size_t>(screen)];
    const int width = context.width;
    const int height = context.height;
    if (width <= 0 || height <= 0) return;
    int size = 128;
    while (size < std::max(width, height) && size < max_texture_size()) size *= 2;
    size = std::min(size, max_texture_size());
    const int columns = std::min(tiles_needed(width, size), max_screen_tiles_per_side);
    const int rows = std::min(tiles_needed(height, size), max_screen_tiles_per_side);

    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    for (std::size_t i = count; i < s.tiles.size(); ++i) delete_tile_texture(s.tiles[i]);
    s.tiles.resize(count);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            ScreenTile& tile = s.tiles[static_cast<std::size_t>(row) * columns + column];
            if (tile.texture == 0 || tile.texture_width != size) {
                delete_tile_texture(tile);
                tile.texture = new_screen_texture(size);
            } else {
                glBindTexture(GL_TEXTURE_2D, tile.texture);
            }
            tile.texture_width = tile.texture_height = size;
            const int left = column * size;
            const int top = row * size;
            tile.used_width = std::min(size, width - left);
            tile.used_height = std::min(size, height - top);
            // GL counts rows from the bottom: the tile's lowest screen row lands in texture row 0.
            glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, left, height - top - tile.used_height, tile.used_width,
                                tile.used_height);
        }
    }
    s.columns = columns;
    s.rows = rows;
    s.grabbed = true;
    context.bound_slot = -1;
    note_drawn_everywhere();
}

bool load_picture_into_screen(int screen, const std::string& file) {
    if (!valid_screen(screen)) return false;
    ctx().pictures_replaced = true;
    RgbaImage image;
    if (!read_picture_image(image, file, no_color_key)) return false;
    const int tile = std::min(max_texture_size(), 512);
    clear_tiled_screen(screen);
    const int columns = tiles_needed(image.width, tile);
    const int rows = tiles_needed(image.height, tile);
    if (columns > max_screen_tiles_per_side || rows > max_screen_tiles_per_side) return false;
    TiledScreen& s = ctx().screens[static_cast<std::size_t>(screen)];
    s.tiles.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    s.columns = columns;
    s.rows = rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            ScreenTile& t = s.tiles[static_cast<std::size_t>(row) * columns + column];
            if (!make_texture(image, column * tile, row * tile, tile, tile, t.texture, nullptr, false, false)) {
                return false;
            }
            t.texture_width = t.texture_height = tile;
            t.used_width = t.used_height = tile;
        }
    }
    ctx().bound_slot = -1;
    return true;
}

void draw_tiled_screen(int screen) {
    if (!valid_screen(screen)) return;
    GraphicsContext& context = ctx();
    const TiledScreen& s = context.screens[static_cast<std::size_t>(screen)];
    glDisable(GL_ALPHA_TEST);
    if (const auto active_texture = gl_extensions().glActiveTextureARB) {
        active_texture(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        active_texture(GL_TEXTURE0_ARB);
    }
    glEnable(GL_TEXTURE_2D);
    for (int row = 0; row < s.rows; ++row) {
        for (int column = 0; column < s.columns; ++column) {
            const ScreenTile& tile = s.tiles[static_cast<std::size_t>(row) * s.columns + column];
            const float left = static_cast<float>(column * tile.texture_width);
            const float top = static_cast<float>(row * tile.texture_height);
            const float right = left + tile.used_width;
            const float bottom = top + tile.used_height;
            const float s_right = static_cast<float>(tile.used_width) / tile.texture_width;
            const float t_top = static_cast<float>(tile.used_height) / tile.texture_height;
            glBindTexture(GL_TEXTURE_2D, tile.texture);
            draw_screen_texture_quad(left, top, right, bottom, s_right, t_top);
        }
    }
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    context.bound_slot = -1;
}

void sprite_frame_hook(int group) {
    if (!valid_screen(group) || ctx().screens[static_cast<std::size_t>(group)].columns == 0) return;
    restore_canvas_background(group);
}

void clear_screen() {
    clear_tiled_screen(0);
    clear_back_buffer();
}

void keep_screen_as_background() { grab_into_screen(0); }

void load_background(const std::string& file) {
    append_error_log("Loadbmp");
    append_error_log("Unpacking");
    std::string path;
    if (!resolve_media(MediaMount::graphics, file, path)) {
        append_error_log("failed");
        clear_screen();
        return;
    }
    append_error_log("OK?");
    if (load_picture_into_screen(0, path)) {
        note_drawn_everywhere();
        draw_tiled_screen(0);
    } else {
        clear_screen();
    }
}

// ---- Grabbing and saving --------------------------------------------------

namespace {

// The back buffer's pixels of a rectangle given from the top left, bottom row first.
std::vector<std::uint8_t> read_back_buffer(int left, int top, int width, int height, GLenum format, int channels) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, ctx().height - top - height, width, height, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace

void grab_sprite(double slot_number, double x, double y, double width, double height) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return;
    GraphicsContext& context = ctx();
    // The rectangle is clipped to the window; nothing is left of it when it lies outside.
    const auto clamp_to = [](double value, int limit) {
        return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(limit)));
    };
    const int left = clamp_to(x, context.width);
    const int top = clamp_to(y, context.height);
    const int right = clamp_to(x + width, context.width);
    const int bottom = clamp_to(y + height, context.height);
    if (right <= left || bottom <= top) {
        free_sprite_slot(*slot);
        return;
    }
    const int w = right - left;
    const int h = bottom - top;
    const std::vector<std::uint8_t> pixels = read_back_buffer(left, top, w, h, GL_RGBA, 4);
    RgbaImage image;
    image.reset(w, h);
    const auto key = static_cast<std::int32_t>(context.transparent_color);
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(h - 1 - row) * w * 4;
        for (int column = 0; column < w; ++column, source += 4) {
            std::uint8_t* target = image.pixel(column, row);
            std::copy(source, source + 3, target);
            const bool keyed = key != no_color_key && source[0] + 256 * source[1] + 65536 * source[2] == key;
            target[3] = keyed ? 0 : 255;
            if (keyed) std::fill(target, target + 3, 0);
        }
    }
    store_image_in_slot(*slot, image, false);
}

void save_screen(const std::string& file) {
    const GraphicsContext& context = ctx();
    if (context.width <= 0 || context.height <= 0) return;
    const std::vector<std::uint8_t> pixels = read_back_buffer(0, 0, context.width, context.height, GL_RGB, 3);
    save_image_file(file, pixels, context.width, context.height);
}

void save_sprite(const std::string& file, double slot_number) {
    const std::optional<int> slot = slot_index(slot_number);
    if (!slot) return;
    const SpriteSlot& s = ctx().sprites[static_cast<std::size_t>(*slot)];
    if (s.texture == 0) return;
    glBindTexture(GL_TEXTURE_2D, s.texture);
    ctx().bound_slot = -1;
    GLint texture_width = 0;
    GLint texture_height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texture_width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texture_height);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(texture_width) * texture_height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    // Texture rows start at the picture's bottom row, the order the writer takes.
    const int width = std::min<int>(s.width, texture_width);
    const int height = std::min<int>(s.height, texture_height);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* source = texels.data() + static_cast<std::size_t>(row) * texture_width * 3;
        std::copy(source, source + static_cast<std::size_t>(width) * 3, pixels.data() + static_cast<std::size_t>(row) * width * 3);
    }
    save_image_file(file, pixels, width, height);
}

bool save_image_file(const std::string& file, std::span<const std::uint8_t> pixels, std::int32_t width,
                     std::int32_t height) {
    const GraphicsContext& context = ctx();
    std::optional<Rgb> key_look;
    if (context.transparent_color != 0 && context.width > 4 && context.height > 4) {
        // How the key looks at the screen's colour depth: draw it on one pixel,
        // read it back, then put the pixel back.
        const std::vector<std::uint8_t> saved = read_back_buffer(4, 4, 1, 1, GL_RGB, 3);
        const auto plot = [](std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
            glColor4ub(red, green, blue, 255);
            glBegin(GL_POINTS);
            glVertex2f(4.5f, 4.5f);
            glEnd();
        };
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        const std::uint32_t key = context.transparent_color;
        plot(key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF);
        const std::vector<std::uint8_t> look = read_back_buffer(4, 4, 1, 1, GL_RGB, 3);
        plot(saved[0], saved[1], saved[2]);
        glPopAttrib();
        key_look = Rgb{look[0], look[1], look[2]};
    }
    return write_image_file(file, pixels, width, height, key_look);
}

}  // namespace rt
