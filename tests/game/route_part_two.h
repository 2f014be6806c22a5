#pragma once
// A complete play of Part Two, from the dungeon under the cage to the end of
// the beam, as the menu choices a player makes. After each choice the game
// shows `continues` continue prompts (messages, and the locations without a
// menu passed on the way) before the next menu appears. The intro's six
// prompts come before the first step; the last step counts the three ending
// screens too, after which the game is back at the title. Steps at loc 3
// answer the maze menu of the cell named in the comment.
#include <array>

#include "tests/game/route_step.h"

namespace route {

inline constexpr auto part_two = std::to_array<Step>({
    // The file opens the store; the basket waits there for the snake.
    {1, 3, 0},   // b01: take the file (nothing carried: 1 nothing, 2 tongs, 3 file, 4 knife)
    {2, 1, 0},   // b02: the stone passage, into cell 3
    {3, 2, 0},   // cell 3: south to 7
    {3, 2, 0},   // cell 7: south to 11
    {3, 2, 0},   // cell 11: south to 15
    {3, 2, 0},   // cell 15: south, out to the pit
    {4, 3, 1},   // b04: cut the padlock (file, no ladder: 1 maze, 2 store, 3 cut) (message: it drops off)
    {5, 2, 0},   // b05: take the basket (nothing carried: 1 leave, 2 basket, 3 barrel, 4 pegs)
    {5, 1, 0},   // b05: back to the pit
    {4, 1, 0},   // b04: back into the maze, cell 15
    {3, 1, 0},   // cell 15: north to 11
    {3, 1, 0},   // cell 11: north to 7
    {3, 1, 0},   // cell 7: north to 3
    {3, 1, 0},   // cell 3: north, out to the dungeon
    // The tongs for later; the crowbar from the stables.
    {1, 2, 0},   // b01: take the tongs (file carried: 1 keep, 2 tongs, 3 knife)
    {2, 2, 0},   // b02: the tunnel
    {14, 2, 0},  // b14: up the ladder
    {15, 2, 0},  // b15: into the stable
    {17, 4, 0},  // b17: take the crowbar (nothing carried: 1 leave, 2 pliers, 3 rope, 4 crowbar)
    {17, 1, 0},  // b17: back to the courtyard
    {15, 1, 0},  // b15: down the drain
    {14, 1, 0},  // b14: back to the dungeon
    {1, 1, 0},   // b01: keep the tongs
    {2, 1, 0},   // b02: into cell 3
    {3, 2, 0},   // cell 3: south to 7
    {3, 3, 0},   // cell 7: east to 8
    {3, 3, 0},   // cell 8: east, out to the coffin cellar
    // The mirror, the thread, the tower window and the library's secret room.
    {10, 3, 0},  // b10: take the mirror (nothing carried: 1 nothing, 2 bell, 3 mirror, 4 glue)
    {11, 1, 0},  // b11: up the steps
    {12, 3, 0},  // b12: take the thread
    {12, 2, 0},  // b12: look at the window
    {13, 1, 1},  // b13: lever it open with the crowbar (message)
    {12, 2, 0},  // b12: out onto the ledge
    {18, 1, 0},  // b18: into the library
    {19, 3, 1},  // b19: switch on the lamp (message: something clicks)
    {19, 2, 1},  // b19: search the shelves (message: into the secret room)
    {20, 4, 0},  // b20: take the map
    {20, 2, 0},  // b20: back to the library
    // The flute from the music room; the piano stays where it is.
    {19, 3, 0},  // b19: into the corridor (bookcase open: 1 book, 2 room, 3 corridor, 4 window)
    {21, 3, 0},  // b21: into the music room
    {25, 2, 1},  // b25: take the grand piano (message: far too heavy)
    {25, 4, 0},  // b25: take the flute (nothing carried: 1 leave, 2 piano, 3 trumpet, 4 flute, 5 cymbals)
    {25, 1, 0},  // b25: back to the corridor
    {21, 2, 0},  // b21: into the library
    {19, 2, 0},  // b19: into the secret room
    {20, 3, 0},  // b20: down the steps, into cell 15
    {3, 1, 0},   // cell 15: north to 11
    {3, 4, 0},   // cell 11: west to 10
    {3, 4, 0},   // cell 10: west to 9
    {3, 4, 0},   // cell 9: west, out to the cobwebbed passage
    // The thread for the spider, the flute and the basket for the snake, the egg.
    {6, 1, 0},   // b06: along the passage (the spider)
    {7, 3, 1},   // b07: give it the thread (message)
    {8, 1, 0},   // b08: up the steps
    {27, 5, 2},  // b27: play a tune (b28: the snake is charmed, then it is in the basket)
    {27, 2, 0},  // b27: the display cases
    {29, 3, 0},  // b29: take the egg
    {29, 1, 0},  // b29: explore further
    {30, 3, 0},  // b30: explore further
    {27, 1, 0},  // b27: down the steps
    {8, 3, 1},   // b08: look into the pit (b09: the fall to the pit)
    // The pegs instead of the basket, then the egg drives out the vampire duck.
    {4, 2, 0},   // b04: into the store room
    {5, 3, 0},   // b05: take the pegs (basket carried: 1 leave, 2 barrel, 3 pegs)
    {5, 1, 0},   // b05: back to the pit
    {4, 1, 0},   // b04: into cell 15
    {3, 1, 0},   // cell 15: north to 11
    {3, 1, 0},   // cell 11: north to 7
    {3, 3, 0},   // cell 7: east to 8
    {3, 3, 0},   // cell 8: east, out to the coffin cellar
    {10, 1, 0},  // b10: keep the mirror
    {11, 3, 1},  // b11: open the coffin (message: the egg breaks, the duck flees)
    {10, 1, 0},  // b10: keep the mirror (the pegs keep out the smell)
    {11, 4, 0},  // b11: take the cape
    // The pliers instead of the crowbar, by the quick way down.
    {11, 1, 0},  // b11: up the steps
    {12, 2, 0},  // b12: out onto the ledge
    {18, 3, 3},  // b18: look down (message; b36: falling, the straw)
    {15, 2, 0},  // b15: into the stable
    {17, 2, 0},  // b17: take the pliers (crowbar carried: 1 leave, 2 pliers, 3 rope)
    {17, 1, 0},  // b17: back to the courtyard
    {15, 1, 0},  // b15: down the drain
    {14, 1, 0},  // b14: back to the dungeon
    {1, 1, 0},   // b01: keep the tongs
    {2, 1, 0},   // b02: into cell 3
    {3, 2, 0},   // cell 3: south to 7
    {3, 3, 0},   // cell 7: east to 8
    {3, 3, 0},   // cell 8: east, out to the coffin cellar
    {10, 1, 0},  // b10: keep the mirror
    {11, 1, 0},  // b11: up the steps
    {12, 2, 0},  // b12: out onto the ledge
    {18, 1, 0},  // b18: into the library
    {19, 3, 0},  // b19: into the corridor
    // The nailed door, the ladder, and the key on the ledge above the pit.
    {21, 1, 0},  // b21: down the stairs
    {22, 1, 1},  // b22: pull out the nails (message: the pliers)
    {22, 1, 0},  // b22: through the door
    {23, 3, 0},  // b23: take the ladder
    {23, 1, 0},  // b23: through the doorway
    {22, 2, 0},  // b22: up the stairs
    {21, 2, 0},  // b21: into the library
    {19, 2, 0},  // b19: into the secret room
    {20, 3, 0},  // b20: down the steps, into cell 15
    {3, 2, 0},   // cell 15: south, out to the pit
    {4, 3, 0},   // b04: climb to the ledge (door open, ladder: 1 maze, 2 store, 3 climb)
    {26, 3, 1},  // b26: take the key with the tongs (message)
    {26, 1, 0},  // b26: down the ladder
    {4, 1, 0},   // b04: into cell 15
    {3, 1, 0},   // cell 15: north to 11
    {3, 1, 0},   // cell 11: north to 7
    {3, 1, 0},   // cell 7: north to 3
    {3, 1, 0},   // cell 3: north, out to the dungeon
    // The knife, then up the skeleton and across with the cape.
    {1, 3, 0},   // b01: take the knife (tongs carried: 1 keep, 2 file, 3 knife)
    {2, 1, 0},   // b02: into cell 3
    {3, 2, 0},   // cell 3: south to 7
    {3, 2, 0},   // cell 7: south to 11
    {3, 4, 0},   // cell 11: west to 10
    {3, 4, 0},   // cell 10: west to 9
    {3, 4, 0},   // cell 9: west, out to the cobwebbed passage
    {6, 1, 0},   // b06: along the passage (the spider lets you by)
    {8, 1, 0},   // b08: up the steps
    {27, 3, 0},  // b27: explore further
    {30, 2, 0},  // b30: climb the skeleton
    {31, 2, 0},  // b31: climb on
    {32, 2, 1},  // b32: jump to the balcony (message: the cape glides)
    {34, 2, 0},  // b34: look at the portraits
    {35, 2, 1},  // b35: release the catch with the knife (message)
    // The map finds the control room; the key, the mirror, the buttons.
    {37, 2, 2},  // b37: go right (b38, b39)
    {40, 3, 0},  // b40: out to the catwalk
    {42, 3, 0},  // b42: put the mirror in the slot
    {42, 2, 1},  // b42: into the observatory (b39)
    {40, 1, 0},  // b40: examine the machine
    {41, 2, 1},  // b41: the green button (message: it hums)
    {41, 1, 6},  // b41: the red button (the beam fires; b43: the explosion, the pudding; the three ending screens)
});

}  // namespace route
