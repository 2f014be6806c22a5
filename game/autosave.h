#pragma once
// Autosave: the story state of the part being played is written after every
// choice that changed it, and offered back ("Continue where you left off")
// after the title at the next start.
#include <span>
#include <string_view>

namespace game {

inline constexpr const char* autosave_file = "autosave.ini";
inline constexpr const char* autosave_set_aside_file = "autosave.ini.bad";

// Once per run, before the first title: forgets what an earlier run in this
// process knew and reads --new-game from the command line.
void autosave_begin_run();
// After the title and the part selection: offers to continue a valid autosave
// of the chosen part. True when the player continued: the saved location is
// then entered like after a choice, without the intro.
bool offer_continue(std::string_view marker_file);
// The main loop's "a choice was made" step: writes the autosave when the
// story state differs from what the file holds.
void autosave_choice_made();
// The part was played to its end: its autosave goes.
void autosave_part_finished();

// The game's registered globals, sorted by what an autosave does with them.
// Every registered global is in exactly one of the two lists.
std::span<const std::string_view> autosaved_globals();
std::span<const std::string_view> globals_not_autosaved();

}  // namespace game
