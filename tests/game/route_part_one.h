#pragma once
// A complete play of Part One, from the first location to the marker, as
// the menu choices a player makes. After each choice the game shows
// `continues` continue prompts (messages, and the locations without a menu
// passed on the way) before the next menu appears. The intro's six prompts
// come before the first step; the last step ends Part One at the title.
#include <array>

#include "tests/game/route_step.h"

namespace route {

inline constexpr auto part_one = std::to_array<Step>({
    // The skeleton key in the lone tree.
    {1, 2, 0}, {4, 2, 0}, {5, 1, 0}, {5, 1, 0}, {4, 1, 0},
    // The shovel digs out the rope.
    {1, 1, 0}, {2, 3, 0}, {3, 1, 0}, {8, 2, 0}, {9, 2, 0}, {10, 3, 1}, {10, 1, 0},
    // The axe chops logs at the woodpile.
    {1, 1, 0}, {2, 3, 0}, {3, 2, 0}, {7, 1, 0}, {14, 3, 0}, {18, 3, 1}, {18, 2, 0},
    // The logs launch the boat.
    {1, 3, 0}, {7, 1, 0}, {14, 1, 0}, {17, 3, 1},
    // The lantern at the mine, then the bucket at the bottom of the well.
    {17, 2, 0}, {19, 2, 0}, {23, 3, 0}, {25, 2, 0}, {26, 3, 0}, {27, 2, 0}, {29, 3, 0}, {29, 1, 0}, {27, 1, 0},
    {25, 1, 0},
    // The bottle, filled at the stream, yields the ring.
    {26, 1, 0}, {23, 2, 0}, {19, 3, 0}, {18, 2, 0}, {1, 1, 0}, {2, 2, 0}, {3, 2, 0}, {7, 1, 0}, {14, 1, 0},
    {17, 2, 0}, {19, 2, 0}, {23, 1, 0}, {24, 3, 1},
    // Up the rope into the kitchen for the red herring, then the tower.
    {24, 2, 0}, {23, 2, 0}, {19, 3, 0}, {18, 2, 0}, {1, 3, 0}, {7, 1, 0}, {14, 1, 0}, {17, 3, 0}, {32, 3, 1},
    {33, 3, 0}, {34, 3, 0}, {35, 1, 0}, {38, 4, 1},
    // Down the chute into the gorilla's cellar (lit by the lantern); the feather opens the gate.
    {38, 1, 1}, {30, 5, 1}, {41, 3, 0}, {42, 2, 0},
    // The compass finds the hermit, who trades the flask for the ring.
    {7, 1, 0}, {14, 1, 0}, {17, 2, 0}, {19, 1, 0}, {20, 1, 0}, {21, 1, 0}, {22, 1, 0}, {43, 3, 1}, {8, 1, 0},
    // Back to the kitchen: the flask sends the werewolf chef to sleep.
    {1, 3, 0}, {7, 1, 0}, {14, 1, 0}, {17, 3, 0}, {32, 3, 1}, {33, 1, 0}, {34, 4, 1}, {34, 2, 0},
    // The switch chills the conservatory; the herring gets past the cat.
    {44, 1, 1}, {44, 3, 0}, {45, 3, 0}, {47, 3, 1}, {48, 4, 1}, {48, 1, 0}, {45, 2, 0}, {44, 4, 0},
    // Moat water for the vampires, then the vault.
    {49, 3, 1}, {49, 1, 0}, {50, 3, 0}, {51, 4, 4},
});

}  // namespace route
