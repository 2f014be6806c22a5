#pragma once
// What the game cannot do without.
namespace game {

// Without its font strip the game would show pictures without a word: it
// ends instead, naming the files that could not be used.
void require_font_strip(double slot);

// A picture that did not load leaves its slot empty; the screen it was meant
// for starts from black rather than from what the previous screen left.
void clear_screen_if_missing(double slot);

}  // namespace game
