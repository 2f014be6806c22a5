#pragma once
#include <string>

#include "runtime/gfx/picture_files.h"

namespace rt {

// Fonts 0..31 are pictures of 16 columns of character cells in sprite slots
// 65,504..65,535: 8 rows (128 characters) when the picture is at least as wide
// as high, else 16 rows (256 characters).

void load_font(const std::string& file, double font);
void set_font(double font);
void font_char_size(double& width, double& height);
// Prints in the current font, the first cell's top-left corner at (x, y).
void draw_text(const std::string& text, double x, double y);
void draw_number(double number, double x, double y);

int current_font();
void load_builtin_font(int font);
// White 5 x 6 letters with a one-pixel dark outline in 8 x 8 cells, 128 x 64.
void make_builtin_font_image(RgbaImage& image);
void draw_text_impl(int font, const std::string& text, double x, double y, double z);

// The start-up screen: "Loading..." centred in the current font.
void draw_loading_text(int screen_width, int screen_height);

}  // namespace rt
