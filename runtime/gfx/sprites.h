#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/picture_files.h"

namespace rt {

// ---- Game commands: numbers are doubles; slots and frames are truncated.
// Slot numbers outside 0..65,535 are ignored (nothing is loaded or drawn).

void load_sprite(const std::string& file, double slot);
void load_animation(const std::string& file, double slot, double frame_width, double frame_height);
void set_frame_size(double slot, double frame_width, double frame_height);
// Loads the picture as a tangent-space normal map: its blue channel is read as
// height, a 3 x 3 Sobel gradient (wrapping at the edges) gives the slope and
// the unit normal (-dx, -dy, 1) is stored as red, green, blue = (n + 1) * 127.5.
void load_normal_map(const std::string& file, double slot);
void sprite_size(double slot, double& width, double& height);

void draw_sprite(double slot, double x, double y);
void draw_sprite_stretched(double slot, double x, double y, double width, double height);
void draw_sprite_zoomed(double slot, double x, double y, double factor_x, double factor_y);
void draw_sprite_rotated(double slot, double x, double y, double angle, double zoom = 1.0);
void draw_frame(double slot, double frame, double x, double y);
void draw_frame_rotated(double slot, double frame, double x, double y, double angle, double zoom);
void draw_frame_stretched(double slot, double frame, double x, double y, double width, double height);

void set_alpha_mode(double alpha);
void set_smoothing(double on);
void set_transparent_color(double color);
void draw_rect(double x, double y, double width, double height, double color);
double read_pixel(double x, double y);

void clear_screen();
void keep_screen_as_background();
void load_background(const std::string& file);
void grab_sprite(double slot, double x, double y, double width, double height);
void save_screen(const std::string& file);
void save_sprite(const std::string& file, double slot);

// Textured polygons: vertices are collected with add_polygon_vertex and drawn
// by draw_polygon as one triangle fan. s and t run from 0 to 1 across the
// picture (0, 0 its top-left corner); the vertex colour (packed red, green,
// blue) is modulated by the texture and takes the blend mode's alpha. A slot
// that is empty or negative draws the fan untextured in the vertex colours.
// Both windings are drawn. draw_polygon empties the vertex list.
void add_polygon_vertex(double x, double y, double s, double t, double color);
void draw_polygon(double slot);

// Pixel-exact collision: 1 when the two pictures, placed as draw_sprite (or
// draw_frame) would place them, have an overlapping pixel that both would
// draw (alpha above the 0.05 alpha test); else 0. Empty slots never collide.
double sprites_collide(double slot_a, double x_a, double y_a, double slot_b, double x_b, double y_b);
double frames_collide(double slot_a, double frame_a, double x_a, double y_a, double slot_b, double frame_b,
                      double x_b, double y_b);

// One pixel at (x, y) in a packed colour, with the blend mode's alpha.
void draw_point(double x, double y, double color);

// ---- Internal operations.

std::optional<int> slot_index(double slot);
void free_sprite_slot(int slot);
bool load_picture_into_slot(int slot, const std::string& file, std::int32_t key, bool normal_map);
// The texture-building tail of a load: fonts get nearest filtering and no twin.
// `prepared`, when not empty, holds the texels make_texture would build for
// the whole picture with filtering (made ahead of time on another thread).
bool store_image_in_slot(int slot, const RgbaImage& image, bool normal_map, const TextureBuffer* prepared = nullptr);
// Builds a power-of-two texture from a rectangle of the image. When
// mip_texture is given, the twin with the program's own mipmap chain is left
// to be built on first use (sprite_mip_texture): 2D drawing never samples it.
// A prepared buffer is used only where it is what would be built.
bool make_texture(const RgbaImage& image, int x, int y, int width, int height, std::uint32_t& texture,
                  std::uint32_t* mip_texture, bool normal_map, bool nearest, const TextureBuffer* prepared = nullptr);
void bind_sprite_texture(int slot);
// The mipmapped twin of a picture slot, built from the slot's texture the
// first time it is asked for; 0 for font slots and empty slots.
std::uint32_t sprite_mip_texture(int slot);
// Smallest power of two >= size, at least 2.
int texture_size_for(int size);

void clear_tiled_screen(int screen);
bool load_picture_into_screen(int screen, const std::string& file);
void grab_into_screen(int screen);
void draw_tiled_screen(int screen);

// Called by present_frame after the swap: the new frame starts from the
// background screen of the drawing group.
void sprite_frame_hook(int group);
// Texture storage kept for reuse: a texture nobody holds any more is handed
// over; a load takes one of its size (0 when there is none) and refills it.
void keep_spare_texture(std::uint32_t name, int width, int height, bool grabbed);
std::uint32_t take_spare_texture(int width, int height, bool grabbed);
// Deletes the textures kept for reuse.
void drop_spare_textures();
// After a frame in which pictures were loaded or freed: the spare textures
// and the load's scratch buffer are given up, so memory follows what the
// screen holds. A burst of loads within one frame still reuses both.
void release_picture_leftovers();
// Deletes every slot's textures and every tiled screen (close_gl_window).
void free_all_sprites_and_screens(GraphicsContext& context);

// The alpha copy of a slot, read back from its texture on first use.
const AlphaCopy& sprite_alpha_copy(int slot);

}  // namespace rt
