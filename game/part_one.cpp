// Part One: from the snowy clearing (a01) to the vault below the chateau
// (a51), where V.X. is caught and the progress marker is written.
#include "game/part_one.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "game/globals.h"
#include "game/location_pattern.h"
#include "game/locations.h"
#include "game/menu.h"
#include "game/part_one_text.h"
#include "game/procedure.h"
#include "game/runtime_calls.h"
#include "game/text.h"
#include "runtime/core/entry.h"
#include "runtime/files/file_places.h"

namespace game {
namespace {

namespace txt = part_one_text;

// choice_menu with the unused options left empty.
double ask(double y, std::string_view o1, std::string_view o2 = {}, std::string_view o3 = {},
           std::string_view o4 = {}, std::string_view o5 = {}) {
    return choice_menu(y, o1, o2, o3, o4, o5);
}

// An outdoor picture: the sky, then the slot at (0, 0).
void outdoors(double slot) {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(gfxsky, 0, 0);
    STMT show_picture(slot, 0, 0);
}

// The hut with its four tools lying by the wall until taken (a02, a03).
void hut_with_tools() {
    GAME_PROCEDURE(source_part_one);
    STMT outdoors(0);
    STMT overlay(obj[1] == 0, 1, 323, 446);
    STMT overlay(obj[2] == 0, 2, 265, 432);
    STMT overlay(obj[3] == 0, 3, 215, 438);
    STMT overlay(obj[4] == 0, 4, 351, 456);
}

// The mine entrance with its tools (a25, a26).
void mine_with_tools() {
    GAME_PROCEDURE(source_part_one);
    STMT outdoors(0);
    STMT overlay(obj[7] == 0, 1, 99, 371);
    STMT overlay(obj[8] == 0, 2, 198, 270);
    STMT overlay(obj[9] == 0, 3, 425, 271);
}

// A kitchen picture with the milk, herring and pepper pot still on the
// shelves; a32 holds the kitchen pictures two slots further up than a33.
void kitchen(double picture, double first_item_slot) {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(picture, 0, 0);
    STMT overlay(obj[17] == 0, first_item_slot, 186, 206);
    STMT overlay(obj[18] == 0, first_item_slot + 1, 133, 244);
    STMT overlay(obj[19] == 0, first_item_slot + 2, 97, 248);
}

// The gorilla at the gate, tickling itself with the feather (a30, a40).
void happy_gorilla() {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(0, 0, 0);
    STMT show_picture(1, 201, 311);
}

// The smugglers' cave with the keg and the compass until taken (a41, a42).
void cave_with_finds() {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(0, 0, 0);
    STMT overlay(obj[22] == 0, 1, 464, 357);
    STMT overlay(obj[23] == 0, 2, 160, 433);
}

// The forest where one gets lost (a20, a21, a22): the compass only helps
// until the hermit has been paid.
void lost_in_forest(std::string_view description) {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(8, {"a08"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(description, 180);
        STMT if (obj[23] == 1 && obj[24] == 0) print_wrapped(txt::compass_ahead, 260);
    }
    STMT opt = ask(300, "Press on", "Turn back");
}

// Swap groups: the hut's tools, the mine's tools, the kitchen shelves and the cave.
constexpr std::array<SwapItem, 4> hut_tools{{
    {1, "an empty bottle", "bottle", {}, {}},
    {2, "a shovel", "shovel", {}, {}},
    {3, "an axe", "axe", {}, {}},
    {4, "a hacksaw", "hacksaw", {}, {}},
}};
constexpr std::array<SwapItem, 4> hut_tools_with_spring_water{{
    {1, "a bottle of spring water", "bottle", {}, {}},
    {2, "a shovel", "shovel", {}, {}},
    {3, "an axe", "axe", {}, {}},
    {4, "a hacksaw", "hacksaw", {}, {}},
}};
constexpr std::array<SwapItem, 3> mine_tools{{
    {7, "a lantern", "lantern", {}, {}},
    {8, "a pick-axe", "pick-axe", {}, {}},
    {9, "an empty sack", "empty sack", "sack", {}},
}};
constexpr std::array<SwapItem, 3> kitchen_shelves{{
    {17, "some milk", "milk", {}, "Take some milk"},
    {18, "a red herring", "red herring", {}, {}},
    {19, "a pepper pot", "pepper pot", {}, {}},
}};
constexpr std::array<SwapItem, 2> cave_finds{{
    {22, "a keg of gunpowder", "gunpowder", {}, {}},
    {23, "a compass", "compass", {}, {}},
}};
// While the compass is carried the keg is offered as "some".
constexpr std::array<SwapItem, 2> cave_finds_holding_compass{{
    {22, "a keg of gunpowder", "gunpowder", {}, "Take some gunpowder"},
    {23, "a compass", "compass", {}, {}},
}};

// The system's own words at the end of a save error ("...: No space left on device").
std::string_view system_reason(std::string_view error) {
    const auto colon = error.rfind(": ");
    return colon == std::string_view::npos ? error : error.substr(colon + 2);
}

// The marker is replaced in one step or not at all, so a full disk or a
// read-only folder never leaves a damaged one; the player is told where the
// save was tried, and the game then goes on as after a save.
void save_marker() {
    GAME_PROCEDURE(source_part_one);
    const rt::SaveResult saved = rt::save_file("partone.vx", std::string(part_one_marker_code) + "\r\n");
    STMT if (saved.ok) return;
    const std::string where = saved.path + " (" + std::string(system_reason(saved.reason)) + ")";
    STMT rt::print_error_line("marlowick: progress could not be saved: " + where);
    STMT clear_screen();
    STMT maxkern = 640;
    STMT message("I'm afraid your progress could not be saved, so Part Two stays locked for now. I tried to write " +
                 where + ".");
}

}  // namespace

double location_a01() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(1, {"a01", "a01a"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT show_picture(1, 320, 220);
        STMT print_wrapped(txt::a01, 10);
    }
    STMT opt = ask(330, "Go to the hut", "Walk to the lone tree", "Follow the cart track", "Head into the forest");
    STMT if (opt == 1) loc = 2;
    STMT if (opt == 2) loc = 4;
    STMT if (opt == 3) loc = 7;
    STMT if (opt == 4) loc = 8;
    return 0;
}

double location_a02() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(2, {"a02", "a02a", "a02b", "a02c", "a02d"});
    STMT if (screendrawn == 0) {
        STMT hut_with_tools();
        STMT print_text(txt::a02_heading, 0, 10);
        STMT print_text("You can see:", 0, 30);
    }
    STMT swap_take(obj[12] == 0 ? hut_tools : hut_tools_with_spring_water, 50, SwapLine::part_one, 3);
    return 0;
}

double location_a03() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(2, {"a02", "a02a", "a02b", "a02c", "a02d"});
    STMT if (screendrawn == 0) {
        STMT hut_with_tools();
        STMT print_wrapped(txt::a03, 10);
    }
    STMT opt = ask(90, "Hide in the forest", "Slip away down the track", "Dash into the hut");
    STMT if (opt == 1) loc = 8;
    STMT if (opt == 2) loc = 7;
    STMT if (opt == 3) loc = 11;
    return 0;
}

double location_a04() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(4, {"a04", "a04a", "a04b"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT show_picture(1, 500, 220);
        STMT print_wrapped(txt::a04, 10);
        STMT maxkern = 400;
        STMT print_wrapped(txt::a04_owl, 110);
    }
    STMT opt = ask(270, "Go back to the clearing", "Climb the tree", "Follow the owl");
    STMT if (opt == 1) loc = 1;
    STMT if (opt == 2) loc = 5;
    STMT if (opt == 3) loc = 14;
    return 0;
}

double location_a05() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(4, {"a04", "a04a", "a04b"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT show_picture(2, 500, 220);
        STMT print_wrapped(obj[5] == 0 ? txt::a05_key : txt::a05_no_key, 10);
    }
    STMT if (obj[5] == 0) {
        STMT opt = ask(190, "Take the key", "Climb down", "Admire the view");
        STMT if (opt == 1) obj[5] = 1;
        STMT if (opt == 2) loc = 4;
        STMT if (opt == 3) loc = 6;
    } else {
        STMT opt = ask(150, "Climb down", "Admire the view");
        STMT if (opt == 1) loc = 4;
        STMT if (opt == 2) loc = 6;
    }
    return 0;
}

double location_a06() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(4, {"a04", "a04a", "a04b"});
    STMT outdoors(0);
    STMT show_picture(2, 500, 220);
    STMT message(txt::a06_view);
    STMT loc = 5;
    return 0;
}

double location_a07() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(7, {"a07"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a07, 10);
    }
    STMT opt = ask(150, "Walk along the moat", "Go back to the clearing", "Cross the bridge");
    STMT if (opt == 1) loc = 14;
    STMT if (opt == 2) loc = 1;
    STMT if (opt == 3) loc = 15;
    return 0;
}

double location_a08() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(8, {"a08"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a08, 180);
    }
    STMT opt = ask(250, "Make for the clearing", "Go further in");
    STMT if (opt == 1) loc = 1;
    STMT if (opt == 2) loc = 9;
    return 0;
}

double location_a09() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(8, {"a08"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a09, 180);
    }
    STMT opt = ask(250, "Head back to the clearing", "Go further still");
    STMT if (opt == 1) loc = 1;
    STMT if (opt == 2) loc = 10;
    return 0;
}

double location_a10() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(8, {"a08"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a10, 180);
    }
    STMT if (obj[2] == 1 && obj[14] == 0) {
        STMT opt = ask(230, "Trudge back to the clearing", "Press on", "Dig in the snow");
        STMT if (opt == 1) loc = 1;
        STMT if (opt == 2) loc = 8;
        STMT if (opt == 3) {
            STMT outdoors(0);
            STMT message(txt::a10_rope, 170);
            STMT obj[14] = 1;
        }
    } else {
        STMT opt = ask(230, "Trudge back to the clearing", "Press on");
        STMT if (opt == 1) loc = 1;
        STMT if (opt == 2) loc = 8;
    }
    return 0;
}

double location_a11() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(11, {"a11", "a11a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[6] == 0, 1, 602, 239);
        STMT print_wrapped(obj[6] == 0 ? txt::a11_garlic : txt::a11, 10);
    }
    STMT if (obj[6] == 0) {
        STMT opt = ask(150, "Go out to the clearing", "Look around the hut", "Take the garlic");
        STMT if (opt == 1) loc = 1;
        STMT if (opt == 2) loc = 12;
        STMT if (opt == 3) obj[6] = 1;
    } else {
        STMT opt = ask(110, "Go out to the clearing", "Look around the hut");
        STMT if (opt == 1) loc = 1;
        STMT if (opt == 2) loc = 12;
    }
    return 0;
}

double location_a12() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(11, {"a11", "a11a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[6] == 0, 1, 602, 239);
        STMT print_wrapped(txt::a12, 40);
    }
    STMT opt = ask(100, "Go out to the clearing", "Go down to the cellar");
    STMT if (opt == 1) loc = 1;
    // Without a light the cellar is a dark hole; with the lantern the gorilla shows.
    STMT if (opt == 2) loc = obj[7] == 0 ? 13 : 30;
    return 0;
}

double location_a13() {
    GAME_PROCEDURE(source_part_one);
    STMT if (screendrawn == 0) {
        STMT show_picture(gfxindark, 0, 0);
        STMT print_wrapped(txt::a13, 10);
    }
    STMT opt = ask(90, "Go back up to the hut", "Panic", "Grope around");
    STMT if (opt == 1) loc = 11;
    STMT if (opt == 2 || opt == 3) {
        STMT show_picture(gfxindark, 0, 0);
        STMT message(txt::a13_flee);
        STMT loc = 11;
    }
    return 0;
}

double location_a14() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(14, {"a14"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a14, 10);
    }
    STMT opt = ask(110, "Follow the moat", "Head for the bridge", "Go into the forest");
    STMT if (opt == 1) loc = 17;
    STMT if (opt == 2) loc = 7;
    STMT if (opt == 3) loc = 18;
    return 0;
}

double location_a15() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(15, {"a15", "a15a"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a15, 10);
    }
    STMT opt = ask(110, "Run for it", "Politely ask to pass");
    STMT if (opt == 1) loc = 7;
    STMT if (opt == 2) {
        STMT outdoors(1);
        STMT message(txt::a15_splash);
        STMT loc = 16;
    }
    return 0;
}

double location_a16() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(16, {"a16"});
    STMT show_picture(0, 0, 0);
    STMT message(txt::a16_moat);
    STMT loc = 14;
    return 0;
}

double location_a17() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(17, {"a17", "a17a"});
    STMT if (obj[16] == 0) {
        STMT if (screendrawn == 0) {
            STMT outdoors(0);
            STMT print_wrapped(txt::a17_ashore, 10);
        }
        STMT opt = ask(150, "Walk along the moat", "Go into the forest", "Launch the boat");
        STMT if (opt == 1) loc = 7;
        STMT if (opt == 2) loc = 19;
        STMT if (opt == 3) {
            STMT outdoors(0);
            STMT if (obj[15] == 0) {
                STMT message(txt::a17_stuck);
            } else {
                STMT message(txt::a17_launch);
                STMT obj[16] = 1;
            }
        }
    } else {
        STMT if (screendrawn == 0) {
            STMT outdoors(1);
            STMT print_wrapped(txt::a17_afloat, 10);
        }
        STMT opt = ask(150, "Walk along the moat", "Go into the forest", "Climb into the boat");
        STMT if (opt == 1) loc = 7;
        STMT if (opt == 2) loc = 19;
        STMT if (opt == 3) loc = 32;
    }
    return 0;
}

double location_a18() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(18, {"a18"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a18, 10);
    }
    STMT if (obj[3] == 1 && obj[15] == 0) {
        STMT opt = ask(110, "Go into the forest", "Follow the track", "Chop some wood");
        STMT if (opt == 1) loc = 8;
        STMT if (opt == 2) loc = 1;
        STMT if (opt == 3) {
            STMT outdoors(0);
            STMT message(txt::a18_logs);
            STMT obj[15] = 1;
        }
    } else {
        STMT opt = ask(110, "Go into the forest", "Follow the track");
        STMT if (opt == 1) loc = 8;
        STMT if (opt == 2) loc = 1;
    }
    return 0;
}

double location_a19() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(19, {"a19"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a19, 10);
    }
    STMT opt = ask(110, "Walk upstream", "Walk downstream", "Go into the forest");
    STMT if (opt == 1) loc = 20;
    STMT if (opt == 2) loc = 23;
    STMT if (opt == 3) loc = 18;
    return 0;
}

double location_a20() {
    GAME_PROCEDURE(source_part_one);
    STMT lost_in_forest(txt::a20);
    STMT if (opt == 1) loc = 21;
    STMT if (opt == 2) loc = 20;
    return 0;
}

double location_a21() {
    GAME_PROCEDURE(source_part_one);
    STMT lost_in_forest(txt::a21);
    STMT if (opt == 1) loc = 22;
    STMT if (opt == 2) loc = 20;
    return 0;
}

double location_a22() {
    GAME_PROCEDURE(source_part_one);
    STMT lost_in_forest(txt::a22);
    // Only the compass finds the hermit, and only while he still has his flask.
    STMT if (opt == 1) loc = obj[23] == 1 && obj[24] == 0 ? 43 : 8;
    STMT if (opt == 2) loc = 20;
    return 0;
}

double location_a23() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(23, {"a23"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a23, 10);
    }
    STMT opt = ask(150, "Cross on the stepping stones", "Follow the stream", "Take the twisty path");
    STMT if (opt == 1) loc = 24;
    STMT if (opt == 2) loc = 19;
    STMT if (opt == 3) loc = 25;
    return 0;
}

double location_a24() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(24, {"a24"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a24, 10);
    }
    STMT if (obj[1] == 1 && obj[12] == 0) {
        STMT opt = ask(150, "Go on across", "Go back to the near bank", "Fill the bottle");
        STMT if (opt == 1) loc = 20;
        STMT if (opt == 2) loc = 23;
        STMT if (opt == 3) {
            STMT obj[12] = 1;
            STMT outdoors(0);
            STMT message(txt::a24_ring);
            STMT obj[13] = 1;
        }
    } else {
        STMT opt = ask(150, "Go on across", "Go back to the near bank");
        STMT if (opt == 1) loc = 20;
        STMT if (opt == 2) loc = 23;
    }
    return 0;
}

double location_a25() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(25, {"a25", "a25a", "a25b", "a25c"});
    STMT if (screendrawn == 0) {
        STMT mine_with_tools();
        STMT print_wrapped(txt::a25, 10);
        STMT print_text(txt::a25_heading, 0, 50);
    }
    STMT swap_take(mine_tools, 70, SwapLine::part_one, 26);
    return 0;
}

double location_a26() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(25, {"a25", "a25a", "a25b", "a25c"});
    STMT if (screendrawn == 0) {
        STMT mine_with_tools();
        STMT print_wrapped(txt::a26, 10);
    }
    STMT opt = ask(110, "Go back to the stream", "Go into the forest", "Enter the mine");
    STMT if (opt == 1) loc = 23;
    STMT if (opt == 2) loc = 20;
    STMT if (opt == 3) loc = 27;
    return 0;
}

double location_a27() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(27, {"a27"});
    STMT if (obj[7] == 0) {
        STMT if (screendrawn == 0) {
            STMT show_picture(0, 0, 0);
            STMT print_wrapped(txt::a27_dark, 10);
        }
        // In the dark every way leads into the pit.
        STMT opt = ask(90, "Leave the mine", "Explore for a while");
        STMT if (opt == 1 || opt == 2) loc = 28;
    } else {
        STMT if (screendrawn == 0) {
            STMT show_picture(0, 0, 0);
            STMT print_wrapped(txt::a27_lit, 10);
        }
        STMT opt = ask(130, "Leave the mine", "Explore the shafts", "Look into the pit");
        STMT if (opt == 1) loc = 25;
        STMT if (opt == 2) loc = 29;
        STMT if (opt == 3) loc = 28;
    }
    return 0;
}

double location_a28() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(28, {"a28"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::a28_fall, 10);
        STMT print_wrapped(txt::a28_light, 110);
    }
    STMT opt = ask(210, "Make for the exit", "Sulk, then make for the exit");
    STMT if (opt == 1 || opt == 2) loc = 20;
    return 0;
}

double location_a29() {
    GAME_PROCEDURE(source_part_one);
    double have = 0;
    game_procedure_.local("have", have);
    STMT load_set(29, {"a29", "a29a", "a29b"});
    STMT have = 0;
    STMT if (obj[10] == 1) have = 10;
    STMT if (obj[11] == 1) have = 11;
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[10] == 0, 1, 300, 400);
        STMT overlay(obj[11] == 0, 2, 380, 340);
        STMT print_wrapped(txt::a29, 10);
    }
    STMT if (have == 0) {
        STMT if (screendrawn == 0) print_wrapped(txt::a29_coin_and_bucket, 110);
        STMT opt = ask(170, "Go back", "Take the gold coin", "Take the bucket");
        STMT if (opt == 1) loc = 27;
        STMT if (opt == 2) obj[10] = 1;
        STMT if (opt == 3) obj[11] = 1;
    } else if (have == 10) {
        STMT if (screendrawn == 0) {
            STMT print_wrapped(txt::a29_bucket, 110);
            STMT print_text("You can swap the gold coin.", 0, 170);
        }
        STMT opt = ask(210, "Go back", "Take the bucket");
        STMT if (opt == 1) loc = 27;
        STMT if (opt == 2) {
            STMT obj[10] = 0;
            STMT obj[11] = 1;
        }
    } else {
        STMT if (screendrawn == 0) {
            STMT print_wrapped(txt::a29_coin, 110);
            STMT print_text("You can swap the bucket.", 0, 170);
        }
        STMT opt = ask(210, "Go back", "Take the gold coin");
        STMT if (opt == 1) loc = 27;
        STMT if (opt == 2) {
            STMT obj[10] = 1;
            STMT obj[11] = 0;
        }
    }
    return 0;
}

double location_a30() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(30, {"a30", "a30a"});
    STMT if (obj[21] == 0) {
        STMT if (screendrawn == 0) {
            STMT show_picture(0, 0, 0);
            STMT print_wrapped(txt::a30, 10);
        }
        STMT if (obj[20] == 1) {
            STMT opt = ask(110, "Go back up to the hut", "Panic", "Tell it a joke", "Walk through the gate",
                           "Give it the feather");
        } else {
            STMT opt = ask(110, "Go back up to the hut", "Panic", "Tell it a joke", "Walk through the gate");
        }
        STMT if (opt == 1) loc = 11;
        STMT if (opt == 2 || opt == 3) {
            STMT clear_screen();
            STMT message(txt::a30_flee);
            STMT loc = 11;
        }
        STMT if (opt == 4) loc = 31;
        STMT if (opt == 5) {
            STMT obj[21] = 1;
            STMT loc = 40;
        }
    } else {
        STMT if (screendrawn == 0) {
            STMT happy_gorilla();
            STMT print_wrapped(txt::a30_happy, 10);
        }
        STMT opt = ask(110, "Go back up to the hut", "Panic", "Tell it a joke", "Walk through the gate");
        STMT if (opt == 1) loc = 11;
        STMT if (opt == 2 || opt == 3) {
            STMT clear_screen();
            STMT message(txt::a30_flee);
            STMT loc = 11;
        }
        STMT if (opt == 4) loc = 40;
    }
    return 0;
}

double location_a31() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(30, {"a30", "a30a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::a31, 10);
    }
    STMT if (obj[20] == 1) {
        STMT opt = ask(110, "Go back up to the hut", "Panic", "Tell it a joke", "Try the gate again",
                       "Give it the feather");
    } else {
        STMT opt = ask(110, "Go back up to the hut", "Panic", "Tell it a joke", "Try the gate again");
    }
    STMT if (opt == 1) loc = 11;
    STMT if (opt == 2 || opt == 3) {
        STMT clear_screen();
        STMT message(txt::a30_flee);
        STMT loc = 11;
    }
    STMT if (opt == 4) loc = 31;
    STMT if (opt == 5) {
        STMT obj[21] = 1;
        STMT loc = 40;
    }
    return 0;
}

double location_a32() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(32, {"a32", "a32a", "a33", "a33a", "a33b", "a33c"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a32, 10);
    }
    STMT if (obj[14] == 1) {
        STMT opt = ask(130, "Leave the boat", "Jump for the window", "Climb up the rope");
    } else {
        STMT opt = ask(130, "Leave the boat", "Jump for the window");
    }
    STMT if (opt == 1) loc = 17;
    STMT if (opt == 2) {
        STMT show_picture(1, 0, 0);
        STMT message(txt::a32_jump);
        STMT loc = 17;
    }
    STMT if (opt == 3) {
        STMT kitchen(2, 3);
        STMT message(txt::a32_climb);
        STMT loc = 33;
    }
    return 0;
}

double location_a33() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(33, {"a33", "a33a", "a33b", "a33c", "a34"});
    STMT if (screendrawn == 0) {
        STMT kitchen(0, 1);
        STMT print_wrapped(txt::a33_heading, 10);
    }
    STMT swap_take(kitchen_shelves, 30, SwapLine::part_one, 34);
    return 0;
}

double location_a34() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(33, {"a33", "a33a", "a33b", "a33c", "a34"});
    STMT if (obj[25] == 0) {
        STMT if (screendrawn == 0) {
            STMT kitchen(4, 1);
            STMT print_wrapped(txt::a34_awake, 10);
        }
        STMT if (obj[24] == 1) {
            STMT opt = ask(70, "Climb out of the window", "Creep into the dark passage", "Go up the stone steps",
                           "Give him the flask");
        } else {
            STMT opt = ask(70, "Climb out of the window", "Creep into the dark passage", "Go up the stone steps");
        }
        STMT if (opt == 1) loc = 32;
        STMT if (opt == 2) {
            STMT kitchen(4, 1);
            STMT message(txt::a34_leap);
            STMT loc = 35;
        }
        STMT if (opt == 3) loc = 35;
        STMT if (opt == 4) {
            STMT kitchen(0, 1);
            STMT message(txt::a34_flask);
            STMT obj[25] = 1;
        }
    } else {
        STMT if (screendrawn == 0) {
            STMT kitchen(0, 1);
            STMT print_wrapped(txt::a34_asleep, 10);
        }
        STMT opt = ask(70, "Climb out of the window", "Tiptoe into the dark passage", "Go up the stone steps");
        STMT if (opt == 1) loc = 32;
        STMT if (opt == 2) loc = 44;
        STMT if (opt == 3) loc = 35;
    }
    return 0;
}

double location_a35() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(35, {"a35"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_text(txt::a35_lines[0], 280, 90);
        STMT print_text(txt::a35_lines[1], 280, 110);
        STMT print_text(txt::a35_lines[2], 280, 130);
        STMT print_text(txt::a35_lines[3], 280, 150);
        STMT print_text(txt::a35_lines[4], 280, 170);
        STMT print_text(txt::a35_lines[5], 280, 190);
    }
    STMT opt = ask(250, "Run on to the top", "Stop for a breather");
    STMT if (opt == 1) loc = 38;
    STMT if (opt == 2) loc = 36;
    return 0;
}

double location_a36() {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(gfxdarkfall, 0, 0);
    STMT show_picture(gfxfall, 0, 0);
    STMT message(txt::a36_chute);
    // The chute ends in the gorilla's cellar, which only a lantern shows.
    STMT loc = obj[7] == 0 ? 37 : 30;
    return 0;
}

double location_a37() {
    GAME_PROCEDURE(source_part_one);
    STMT if (screendrawn == 0) {
        STMT show_picture(gfxindark, 0, 0);
        STMT print_wrapped(txt::a37, 10);
    }
    STMT opt = ask(90, "Panic", "Grope around");
    STMT if (opt == 1 || opt == 2) {
        STMT show_picture(gfxindark, 0, 0);
        STMT message(txt::a37_flee);
        STMT loc = 1;
    }
    return 0;
}

double location_a38() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(38, {"a38", "a38a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[20] == 0, 1, 5, 363);
        STMT print_wrapped(obj[20] == 0 ? txt::a38_feather : txt::a38, 10);
    }
    STMT if (obj[20] == 0) {
        STMT opt = ask(170, "Go back down the stairs", "Step out onto the ledge", "Leap from the window",
                       "Take the feather");
    } else {
        STMT opt = ask(170, "Go back down the stairs", "Step out onto the ledge", "Leap from the window");
    }
    STMT if (opt == 1) loc = 36;
    STMT if (opt == 2) loc = 39;
    STMT if (opt == 3) loc = 16;
    STMT if (opt == 4) {
        STMT show_picture(0, 0, 0);
        STMT message(txt::a38_take);
        STMT obj[20] = 1;
    }
    return 0;
}

double location_a39() {
    GAME_PROCEDURE(source_part_one);
    STMT show_picture(gfxsky, 0, 0);
    STMT show_picture(gfxfall, 0, 0);
    STMT message(txt::a39_gust);
    STMT loc = 16;
    return 0;
}

double location_a40() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(30, {"a30", "a30a"});
    STMT happy_gorilla();
    STMT message(txt::a40_pass);
    STMT loc = 41;
    return 0;
}

double location_a41() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(41, {"a41", "a41a", "a41b"});
    STMT if (screendrawn == 0) {
        STMT cave_with_finds();
        STMT print_wrapped(txt::a41, 10);
    }
    STMT swap_take(obj[23] == 1 ? cave_finds_holding_compass : cave_finds, 110, SwapLine::part_one, 42);
    return 0;
}

double location_a42() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(41, {"a41", "a41a", "a41b"});
    STMT if (screendrawn == 0) {
        STMT cave_with_finds();
        STMT print_wrapped(txt::a42, 10);
    }
    STMT opt = ask(90, "Go back to the cellar", "Squeeze towards the light");
    STMT if (opt == 1) loc = 30;
    STMT if (opt == 2) loc = 7;
    return 0;
}

double location_a43() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(43, {"a43"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a43, 180);
    }
    STMT if (obj[13] == 1 && obj[24] == 0) {
        STMT opt = ask(280, "Go back into the forest", "Grin at him", "Give him the ring");
    } else {
        STMT opt = ask(280, "Go back into the forest", "Grin at him");
    }
    STMT if (opt == 1) loc = 8;
    STMT if (opt == 2) {
        STMT outdoors(0);
        STMT message(txt::a43_ignore, 180);
    }
    STMT if (opt == 3) {
        STMT outdoors(0);
        STMT message(txt::a43_flask, 180);
        STMT obj[24] = 1;
        STMT loc = 8;
    }
    return 0;
}

double location_a44() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(44, {"a44", "a44a", "a44b", "a44c"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        // a44a (up) in slot 1, a44b (down) in slot 2.
        STMT show_picture(1 + obj[26], 143, 352);
        STMT print_wrapped(txt::a44, 10);
    }
    STMT opt = ask(110, "Throw the switch", "Go into the kitchen", "Go through the exit", "Walk along the passage");
    STMT if (opt == 1) {
        STMT obj[26] = 1 - obj[26];
        STMT show_picture(0, 0, 0);
        STMT show_picture(3, 129, 233);
        STMT message(txt::a44_shock);
    }
    STMT if (opt == 2) loc = 33;
    STMT if (opt == 3) loc = 45;
    STMT if (opt == 4) loc = 49;
    return 0;
}

double location_a45() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(45, {"a45"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a45, 10);
        STMT print_wrapped(obj[26] == 0 ? txt::a45_hot : txt::a45_chilly, 170);
    }
    STMT opt = ask(210, "Look at the plant", "Go back into the chateau", "Go out into the garden");
    // In the heat the plant is wide awake and catches anyone who comes near.
    STMT if (obj[26] == 0) {
        STMT if (opt == 1) loc = 46;
        STMT if (opt == 2) loc = 44;
        STMT if (opt == 3) loc = 46;
    } else {
        STMT if (opt == 1) {
            STMT outdoors(0);
            STMT message(txt::a45_sluggish);
        }
        STMT if (opt == 2) loc = 44;
        STMT if (opt == 3) loc = 47;
    }
    return 0;
}

double location_a46() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(46, {"a46", "a46a"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a46, 10);
    }
    STMT opt = ask(110, "Run", "Ask Bodkin for help");
    STMT if (opt == 1) {
        STMT outdoors(0);
        STMT message(txt::a46_run);
    }
    STMT if (opt == 2) {
        STMT outdoors(1);
        STMT message(txt::a46_shake);
        STMT loc = 45;
    }
    return 0;
}

double location_a47() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(47, {"a47"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a47, 10);
    }
    STMT if (obj[17] == 1) {
        STMT opt = ask(110, "Go back to the conservatory", "Leap past the cat", "Offer it the milk");
    } else if (obj[18] == 1) {
        STMT opt = ask(110, "Go back to the conservatory", "Leap past the cat", "Offer it the red herring");
    } else {
        STMT opt = ask(110, "Go back to the conservatory", "Leap past the cat");
    }
    STMT if (opt == 1) loc = 45;
    STMT if (opt == 2) loc = 16;
    STMT if (opt == 3) {
        STMT outdoors(0);
        STMT if (obj[17] == 1) {
            STMT message(txt::a47_milk);
            STMT loc = 16;
        } else {
            STMT message(txt::a47_herring);
            STMT loc = 48;
        }
    }
    return 0;
}

double location_a48() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(48, {"a48"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::a48, 10);
    }
    // Filling the bottle is option 3 and filling the bucket option 4, whichever is offered.
    STMT if (obj[1] == 1 && obj[11] == 1) {
        STMT opt = ask(130, "Go back to the conservatory", "Swim the moat", "Fill the bottle", "Fill the bucket");
    } else if (obj[1] == 1) {
        STMT opt = ask(130, "Go back to the conservatory", "Swim the moat", "Fill the bottle");
    } else if (obj[11] == 1) {
        STMT opt = ask(130, "Go back to the conservatory", "Swim the moat", "Fill the bucket");
        STMT if (opt == 3) opt = 4;
    } else {
        STMT opt = ask(130, "Go back to the conservatory", "Swim the moat");
    }
    STMT if (opt == 1) loc = 45;
    STMT if (opt == 2) loc = 16;
    STMT if (opt == 3) {
        STMT outdoors(0);
        STMT message(txt::a48_bottle);
    }
    STMT if (opt == 4) {
        STMT outdoors(0);
        STMT message(txt::a48_bucket);
        STMT obj[28] = 1;
    }
    return 0;
}

double location_a49() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(49, {"a49", "a49a"});
    STMT if (obj[29] == 0) {
        STMT if (screendrawn == 0) {
            STMT show_picture(0, 0, 0);
            STMT print_wrapped(txt::a49, 10);
        }
        // Holding up the garlic is option 3 and throwing the water option 4, whichever is offered.
        STMT if (obj[6] == 1 && obj[28] == 1) {
            STMT opt = ask(110, "Retreat down the passage", "Look menacing", "Hold up the garlic", "Throw the water");
        } else if (obj[6] == 1) {
            STMT opt = ask(110, "Retreat down the passage", "Look menacing", "Hold up the garlic");
        } else if (obj[28] == 1) {
            STMT opt = ask(110, "Retreat down the passage", "Look menacing", "Throw the water");
            STMT if (opt == 3) opt = 4;
        } else {
            STMT opt = ask(110, "Retreat down the passage", "Look menacing");
        }
        STMT if (opt == 1) loc = 44;
        STMT if (opt == 2) {
            STMT show_picture(0, 0, 0);
            STMT message(txt::a49_menace);
        }
        STMT if (opt == 3) {
            STMT show_picture(0, 0, 0);
            STMT message(txt::a49_garlic);
        }
        STMT if (opt == 4) {
            STMT show_picture(1, 0, 0);
            STMT message(txt::a49_water);
            STMT obj[29] = 1;
        }
    } else {
        STMT if (screendrawn == 0) {
            STMT show_picture(1, 0, 0);
            STMT print_wrapped(txt::a49_remains, 10);
        }
        STMT opt = ask(110, "Go into the hall", "Go back down the passage");
        STMT if (opt == 1) loc = 50;
        STMT if (opt == 2) loc = 44;
    }
    return 0;
}

double location_a50() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(50, {"a50"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::a50, 10);
    }
    STMT opt = ask(170, "Go out by the oak door", "Go into the passage", "Go down the dark stairs",
                   "Go up the wide stairs");
    STMT if (opt == 1) loc = 15;
    STMT if (opt == 2) loc = 49;
    STMT if (opt == 3) loc = 51;
    STMT if (opt == 4) loc = 52;
    return 0;
}

double location_a51() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(51, {"a51", "a51a", "a51b"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::a51, 10);
    }
    STMT if (obj[5] == 1) {
        STMT opt = ask(110, "Go back up the steps", "Look around", "Examine the skeleton", "Unchain the skeleton");
    } else {
        STMT opt = ask(110, "Go back up the steps", "Look around", "Examine the skeleton");
    }
    STMT if (opt == 1) loc = 50;
    STMT if (opt == 2) {
        STMT show_picture(0, 0, 0);
        STMT message(txt::a51_rattle);
    }
    STMT if (opt == 3) {
        STMT show_picture(0, 0, 0);
        STMT message(txt::a51_locks);
    }
    // The end of Part One: caught, a cliff-hanger, and the marker that opens Part Two.
    STMT if (opt == 4) {
        STMT show_picture(0, 0, 0);
        STMT message(txt::a51_number);
        STMT show_picture(1, 0, 0);
        STMT maxkern = 400;
        STMT message(txt::a51_net);
        STMT show_picture(gfxdungeon, 0, 0);
        STMT show_picture(2, 0, 0);
        STMT print_wrapped(txt::a51_cage, 50);
        STMT print_text(txt::a51_teaser, 0, 270);
        STMT wait_continue();
        STMT clear_screen();
        STMT stop_music();
        STMT play_music("aud/title.mp3");
        STMT set_music_volume(mastervolume);
        STMT print_text("To Be Continued....", -1, 230);
        STMT wait_continue();
        STMT stop_music();
        STMT save_marker();
        // The handhelds cache writes: flush the marker to the card before anyone switches off.
        STMT if (info_Str == "F100" || info_Str == "F200") {
            double rv = 0;
            game_procedure_.local("rv", rv);
            STMT run_program("sync", 1, 0, rv);
        }
        STMT loc = 999;
    }
    return 0;
}

double location_a52() {
    GAME_PROCEDURE(source_part_one);
    STMT load_set(50, {"a50"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::a52, 10);
    }
    STMT opt = ask(130, "Go out by the oak door", "Go into the passage", "Go down the dark stairs");
    STMT if (opt == 1) loc = 15;
    STMT if (opt == 2) loc = 49;
    STMT if (opt == 3) loc = 51;
    return 0;
}

void run_part_one_location(double location) {
    static constexpr std::array<double (*)(), 52> procedures{
        location_a01, location_a02, location_a03, location_a04, location_a05, location_a06, location_a07,
        location_a08, location_a09, location_a10, location_a11, location_a12, location_a13, location_a14,
        location_a15, location_a16, location_a17, location_a18, location_a19, location_a20, location_a21,
        location_a22, location_a23, location_a24, location_a25, location_a26, location_a27, location_a28,
        location_a29, location_a30, location_a31, location_a32, location_a33, location_a34, location_a35,
        location_a36, location_a37, location_a38, location_a39, location_a40, location_a41, location_a42,
        location_a43, location_a44, location_a45, location_a46, location_a47, location_a48, location_a49,
        location_a50, location_a51, location_a52,
    };
    // Any other value (999 on the way to the title, for one) has no procedure.
    if (location < 1 || location > 52 || location != std::floor(location)) return;
    procedures[static_cast<std::size_t>(location) - 1]();
}

}  // namespace game
