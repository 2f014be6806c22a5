#pragma once
// A complete play of Part Two, from the dungeon under the cage to the end of
// the beam, as the menu choices a player makes. After each choice the game
// shows `continues` continue prompts (messages, and the locations without a
// menu passed on the way) before the next menu appears. The intro's six
// prompts come before the first step; the last step counts the three ending
// screens too, after which the game is back at the title. Steps at loc 3
// answer the maze menu: the cell's ways in the order north, south, east, west.
#include <array>

#include "tests/game/route_step.h"

namespace route {

inline constexpr auto part_two = std::to_array<Step>({
    // The file opens the store; the basket waits there for the snake.
    {1, 3, 0}, {2, 1, 0}, {3, 2, 0}, {3, 2, 0}, {3, 2, 0}, {3, 2, 0}, {4, 3, 1}, {5, 2, 0}, {5, 1, 0}, {4, 1, 0},
    {3, 1, 0}, {3, 1, 0}, {3, 1, 0}, {3, 1, 0},
    // The tongs for later; the crowbar from the stables.
    {1, 2, 0}, {2, 2, 0}, {14, 2, 0}, {15, 2, 0}, {17, 4, 0}, {17, 1, 0}, {15, 1, 0}, {14, 1, 0}, {1, 1, 0},
    {2, 1, 0}, {3, 2, 0}, {3, 3, 0}, {3, 3, 0},
    // The mirror, the thread, the tower window and the library's secret room.
    {10, 3, 0}, {11, 1, 0}, {12, 3, 0}, {12, 2, 0}, {13, 1, 1}, {12, 2, 0}, {18, 1, 0}, {19, 3, 1}, {19, 2, 1},
    {20, 4, 0}, {20, 2, 0},
    // The flute from the music room; the piano stays where it is.
    {19, 3, 0}, {21, 3, 0}, {25, 2, 1}, {25, 4, 0}, {25, 1, 0}, {21, 2, 0}, {19, 2, 0}, {20, 3, 0}, {3, 1, 0},
    {3, 4, 0}, {3, 4, 0}, {3, 4, 0},
    // The thread for the spider, the flute and the basket for the snake, the egg.
    {6, 1, 0}, {7, 3, 1}, {8, 1, 0}, {27, 5, 2}, {27, 2, 0}, {29, 3, 0}, {29, 1, 0}, {30, 3, 0}, {27, 1, 0},
    {8, 3, 1},
    // The pegs instead of the basket, then the egg drives out the vampire duck.
    {4, 2, 0}, {5, 3, 0}, {5, 1, 0}, {4, 1, 0}, {3, 1, 0}, {3, 1, 0}, {3, 3, 0}, {3, 3, 0}, {10, 1, 0}, {11, 3, 1},
    {10, 1, 0}, {11, 4, 0},
    // The pliers instead of the crowbar, by the quick way down.
    {11, 1, 0}, {12, 2, 0}, {18, 3, 3}, {15, 2, 0}, {17, 2, 0}, {17, 1, 0}, {15, 1, 0}, {14, 1, 0}, {1, 1, 0},
    {2, 1, 0}, {3, 2, 0}, {3, 3, 0}, {3, 3, 0}, {10, 1, 0}, {11, 1, 0}, {12, 2, 0}, {18, 1, 0}, {19, 3, 0},
    // The nailed door, the ladder, and the key on the ledge above the pit.
    {21, 1, 0}, {22, 1, 1}, {22, 1, 0}, {23, 3, 0}, {23, 1, 0}, {22, 2, 0}, {21, 2, 0}, {19, 2, 0}, {20, 3, 0},
    {3, 2, 0}, {4, 3, 0}, {26, 3, 1}, {26, 1, 0}, {4, 1, 0}, {3, 1, 0}, {3, 1, 0}, {3, 1, 0}, {3, 1, 0},
    // The knife, then up the skeleton and across with the cape.
    {1, 3, 0}, {2, 1, 0}, {3, 2, 0}, {3, 2, 0}, {3, 4, 0}, {3, 4, 0}, {3, 4, 0}, {6, 1, 0}, {8, 1, 0}, {27, 3, 0},
    {30, 2, 0}, {31, 2, 0}, {32, 2, 1}, {34, 2, 0}, {35, 2, 1},
    // The map finds the control room; the key, the mirror, the buttons.
    {37, 2, 2}, {40, 3, 0}, {42, 3, 0}, {42, 2, 1}, {40, 1, 0}, {41, 2, 1}, {41, 1, 6},
});

}  // namespace route
