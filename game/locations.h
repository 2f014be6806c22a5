#pragma once
// Location procedures: one call per frame, chosen by part and loc.

namespace game {

// Part One: loc 1..52; other values call nothing.
void run_part_one_location(double location);
// Part Two: loc 1..43; other values call nothing (44, the ending, is the main loop's).
void run_part_two_location(double location);
double intro_story_two();

}  // namespace game
