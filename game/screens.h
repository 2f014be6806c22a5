#pragma once
// The fixed screens around the story.

namespace game {

double compo_screen();
double logo_screen();
double title_screen();
double intro_story();
double ending_screen();

}  // namespace game
