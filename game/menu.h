#pragma once
// The choice menu, the continue prompt and the volume keys.
#include <string_view>

namespace game {

// "Do you want to:" at y = o and up to five options (empty = none).
// Presents the frame; returns the option chosen in this call, else 0.
double choice_menu(double o, std::string_view o1_Str, std::string_view o2_Str, std::string_view o3_Str,
                   std::string_view o4_Str, std::string_view o5_Str);
// The device's continue prompt; returns after a full press and release.
double wait_continue();
double volume_keys();

// The device's continue prompt text and its input (mouse button or tap, else
// the fire buttons); the fixed screens wait on them too.
std::string_view continue_prompt();
// How many menu calls have run and where the latest one put its heading: lets
// an automated player find the options on screen.
double menu_calls();
double menu_y();
// How many continue prompts have been shown.
double prompts_shown();
double continue_prompt_input();
// Esc, or a pad's east or back button.
double escape_held();
// Tells the player's words that the screen waits to go on. True when the
// player answered in words (the terminal) and the wait is over; a player who
// quits there ends the program.
bool continued_in_words(std::string_view prompt);

}  // namespace game
