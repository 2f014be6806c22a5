#pragma once
// Printing with the game's own font and kerning, and pictures by short name.
#include <string_view>

namespace game {

double build_kerning();
// Sum of the kerned advances of a line, in layout pixels.
double text_width(std::string_view text);
// One line; x = -1 centres it on the 640-wide layout.
double print_text(std::string_view txt_Str, double tx, double ty);
// A paragraph from x = 0, first line at wy, lines 20 apart, no wider than maxkern.
double print_wrapped(std::string_view w_Str, double wy);
// Loads "gfx/" + name + ".png" into a sprite slot.
double load_picture(std::string_view file_Str, double num);
// Draws a slot with its top-left at (x, y); x = -1 centres it.
double show_picture(double num, double x, double y);

// Hands words the screen shows to the player's words (terminal, voice): what
// print_text and print_wrapped print goes there by itself; this is for words
// drawn as pictures.
void tell(std::string_view words);
// While one lives, printing tells nothing: the menu, the prompts and hints
// are told in their own way or not at all.
class QuietWords {
public:
    QuietWords();
    ~QuietWords();
    QuietWords(const QuietWords&) = delete;
    QuietWords& operator=(const QuietWords&) = delete;
};

}  // namespace game
