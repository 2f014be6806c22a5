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
    {1, 2, 0},   // a01: to the lone tree
    {4, 2, 0},   // a04: climb the tree
    {5, 1, 0},   // a05: take the key
    {5, 1, 0},   // a05: climb down
    {4, 1, 0},   // a04: back to the clearing
    // The shovel digs out the rope.
    {1, 1, 0},   // a01: to the hut
    {2, 3, 0},   // a02: take the shovel (nothing carried: 1 nothing, 2 bottle, 3 shovel, 4 axe, 5 hacksaw)
    {3, 1, 0},   // a03: hide in the forest
    {8, 2, 0},   // a08: further in
    {9, 2, 0},   // a09: further still
    {10, 3, 1},  // a10: dig in the snow (message: the rope)
    {10, 1, 0},  // a10: back to the clearing
    // The axe chops logs at the woodpile.
    {1, 1, 0},   // a01: to the hut
    {2, 3, 0},   // a02: take the axe (shovel carried: 1 keep, 2 bottle, 3 axe, 4 hacksaw)
    {3, 2, 0},   // a03: down the track
    {7, 1, 0},   // a07: along the moat
    {14, 3, 0},  // a14: into the forest
    {18, 3, 1},  // a18: chop wood (message: logs)
    {18, 2, 0},  // a18: along the track
    // The logs launch the boat.
    {1, 3, 0},   // a01: follow the cart track
    {7, 1, 0},   // a07: along the moat
    {14, 1, 0},  // a14: follow the moat
    {17, 3, 1},  // a17: launch the boat (message: it floats)
    // The lantern at the mine, then the bucket at the bottom of the well.
    {17, 2, 0},  // a17: into the forest
    {19, 2, 0},  // a19: downstream
    {23, 3, 0},  // a23: the twisty path
    {25, 2, 0},  // a25: take the lantern (nothing carried: 1 nothing, 2 lantern, 3 pick-axe, 4 sack)
    {26, 3, 0},  // a26: enter the mine
    {27, 2, 0},  // a27: explore the shafts
    {29, 3, 0},  // a29: take the bucket
    {29, 1, 0},  // a29: go back
    {27, 1, 0},  // a27: leave the mine
    {25, 1, 0},  // a25: keep the lantern
    // The bottle, filled at the stream, yields the ring.
    {26, 1, 0},  // a26: back to the stream
    {23, 2, 0},  // a23: follow the stream
    {19, 3, 0},  // a19: into the forest
    {18, 2, 0},  // a18: along the track
    {1, 1, 0},   // a01: to the hut
    {2, 2, 0},   // a02: take the bottle (axe carried: 1 keep, 2 bottle, 3 shovel, 4 hacksaw)
    {3, 2, 0},   // a03: down the track
    {7, 1, 0},   // a07: along the moat
    {14, 1, 0},  // a14: follow the moat
    {17, 2, 0},  // a17: into the forest
    {19, 2, 0},  // a19: downstream
    {23, 1, 0},  // a23: cross on the stones
    {24, 3, 1},  // a24: fill the bottle (message: the ring)
    // Up the rope into the kitchen for the red herring, then the tower.
    {24, 2, 0},  // a24: back to the near bank
    {23, 2, 0},  // a23: follow the stream
    {19, 3, 0},  // a19: into the forest
    {18, 2, 0},  // a18: along the track
    {1, 3, 0},   // a01: follow the cart track
    {7, 1, 0},   // a07: along the moat
    {14, 1, 0},  // a14: follow the moat
    {17, 3, 0},  // a17: climb into the boat
    {32, 3, 1},  // a32: climb the rope (message: the kitchen)
    {33, 3, 0},  // a33: take the red herring (nothing carried: 1 nothing, 2 milk, 3 herring, 4 pepper pot)
    {34, 3, 0},  // a34: up the stone steps
    {35, 1, 0},  // a35: on to the top
    {38, 4, 1},  // a38: take the feather (message)
    // Down the chute into the gorilla's cellar (lit by the lantern); the feather opens the gate.
    {38, 1, 1},  // a38: down the stairs (a36: the chute)
    {30, 5, 1},  // a30: give the feather (a40: the gorilla lets you pass)
    {41, 3, 0},  // a41: take the compass (nothing carried: 1 nothing, 2 gunpowder, 3 compass)
    {42, 2, 0},  // a42: towards the light
    // The compass finds the hermit, who trades the flask for the ring.
    {7, 1, 0},   // a07: along the moat
    {14, 1, 0},  // a14: follow the moat
    {17, 2, 0},  // a17: into the forest
    {19, 1, 0},  // a19: upstream
    {20, 1, 0},  // a20: press on
    {21, 1, 0},  // a21: press on
    {22, 1, 0},  // a22: press on (the compass leads to the hermit)
    {43, 3, 1},  // a43: give the ring (message: the flask)
    {8, 1, 0},   // a08: to the clearing
    // Back to the kitchen: the flask sends the werewolf chef to sleep.
    {1, 3, 0},   // a01: follow the cart track
    {7, 1, 0},   // a07: along the moat
    {14, 1, 0},  // a14: follow the moat
    {17, 3, 0},  // a17: climb into the boat
    {32, 3, 1},  // a32: climb the rope (message: the kitchen)
    {33, 1, 0},  // a33: keep the red herring
    {34, 4, 1},  // a34: give the flask (message: he sleeps)
    {34, 2, 0},  // a34: into the dark passage
    // The switch chills the conservatory; the herring gets past the cat.
    {44, 1, 1},  // a44: throw the switch (message: the shock)
    {44, 3, 0},  // a44: through the exit
    {45, 3, 0},  // a45: out into the garden
    {47, 3, 1},  // a47: offer the red herring (message: the cat leaves)
    {48, 4, 1},  // a48: fill the bucket (bottle and bucket carried: 3 bottle, 4 bucket)
    {48, 1, 0},  // a48: back to the conservatory
    {45, 2, 0},  // a45: back into the chateau
    {44, 4, 0},  // a44: along the passage
    // Moat water for the vampires, then the vault.
    {49, 3, 1},  // a49: throw the water (only the water: its third option, run as the fourth)
    {49, 1, 0},  // a49: into the hall
    {50, 3, 0},  // a50: down the dark stairs
    {51, 4, 4},  // a51: unchain the skeleton (the number, the net, the cage, "To Be Continued....")
});

}  // namespace route
