#pragma once
// One step of a scripted play: the menu choice a player makes at a location.

namespace route {

struct Step {
    int loc;        // the location whose menu is answered
    int option;     // 1..5, as counted in that menu
    int continues;  // continue prompts shown after the choice
};

}  // namespace route
