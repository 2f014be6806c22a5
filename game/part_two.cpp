// Part Two: from the cage in the dungeon (b01) to the end of the beam
// (b43), with the maze (b03) at its heart.
#include "game/part_two.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "game/globals.h"
#include "game/location_pattern.h"
#include "game/locations.h"
#include "game/maze.h"
#include "game/menu.h"
#include "game/part_two_text.h"
#include "game/procedure.h"
#include "game/runtime_calls.h"
#include "game/text.h"

namespace game {
namespace {

namespace txt = part_two_text;

constexpr double teal = 8421376;
constexpr double yellow = 65535;
constexpr double red = 255;

// choice_menu with the unused options left empty.
double ask(double y, std::string_view o1, std::string_view o2 = {}, std::string_view o3 = {},
           std::string_view o4 = {}, std::string_view o5 = {}) {
    return choice_menu(y, o1, o2, o3, o4, o5);
}

void enter_maze(double cell) {
    GAME_PROCEDURE(source_part_two);
    STMT loc = 3;
    STMT mazeloc = cell;
}

void in_dungeon(double slot) {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(gfxdungeon, 0, 0);
    STMT show_picture(slot, 0, 0);
}

void outdoors(double slot) {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(gfxsky, 0, 0);
    STMT show_picture(slot, 0, 0);
}

// Falls: into the dark, through the open air, or down into the museum.
void falling_in_dark() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(gfxdarkfall, 0, 0);
    STMT show_picture(gfxfall, 0, 0);
}

void falling_in_sky() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(gfxsky, 0, 0);
    STMT show_picture(gfxfall, 0, 0);
}

void falling_indoors() {
    GAME_PROCEDURE(source_part_two);
    STMT draw_rect(0, 0, 640 / resx, 480 / resx, teal);
    STMT show_picture(gfxfall, 0, 0);
}

// The dungeon under the cage with the tongs, file and knife until taken (b01, b02).
void dungeon_floor() {
    GAME_PROCEDURE(source_part_two);
    STMT in_dungeon(0);
    STMT overlay(obj[1] == 0, 1, 453, 421);
    STMT overlay(obj[2] == 0, 2, 345, 430);
    STMT overlay(obj[3] == 0, 3, 557, 439);
}

// The coffin cellar: the coffin shut or open, the table with what is left on it.
void cellar_table() {
    GAME_PROCEDURE(source_part_two);
    STMT overlay(obj[11] == 0, 3, 518, 304);
    STMT overlay(obj[12] == 0, 4, 456, 315);
    STMT overlay(obj[13] == 0, 5, 483, 361);
}

void coffin_cellar() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(obj[25] == 0 ? 0 : 1, 0, 0);
    STMT cellar_table();
}

// The tower room with its window shut (b12a) or open (b12b) and the thread.
void tower_room() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(0, 0, 0);
    STMT if (obj[15] == 0) {
        STMT show_picture(1, 480, 201);
    } else {
        STMT show_picture(2, 460, 201);
    }
    STMT overlay(obj[14] == 0, 3, 510, 380);
}

// The corner of the cellar with the grate (b24); the ladder leans there until taken.
void grate_corner() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(0, 0, 0);
    STMT show_picture(1, 537, 295);
    STMT show_picture(2, 453, 374);
    STMT overlay(obj[28] == 0, 3, 75, 170);
}

void music_room() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(0, 0, 0);
    STMT overlay(obj[17] == 0, 1, 46, 270);
    STMT overlay(obj[18] == 0, 2, 240, 420);
    STMT overlay(obj[19] == 0, 3, 535, 370);
}

// The museum with the egg in its case until taken; with the snake rearing up.
void museum() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(0, 0, 0);
    STMT overlay(obj[24] == 0, 3, 442, 296);
}

void museum_with_snake() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(0, 0, 0);
    STMT show_picture(1, 236, 220);
    STMT overlay(obj[24] == 0, 3, 442, 296);
}

// The control room, quiet (b38) or humming (b38a).
void control_room() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(obj[32] == 0 ? 0 : 1, 0, 0);
}

void bell_rope_fall() {
    GAME_PROCEDURE(source_part_two);
    STMT show_picture(gfxdarkfall, 0, 0);
    STMT show_picture(gfxfall, 0, 0);
    STMT maxkern = 640;
    STMT message(txt::b11_trapdoor);
    STMT loc = 23;
}

// Swap groups: Vexmoor's tools, the store room, the cellar table, the stables, the music room.
constexpr std::array<SwapItem, 3> dungeon_tools{{
    {1, "some tongs", "tongs", {}, {}},
    {2, "a file", "file", {}, {}},
    {3, "a knife", "knife", {}, {}},
}};
constexpr std::array<SwapItem, 3> store_room{{
    {8, "a wicker basket", "wicker basket", {}, {}},
    {9, "a barrel", "barrel", {}, {}},
    {10, "some wooden pegs", "wooden pegs", {}, {}},
}};
// Once the snake is inside, the basket left here gives itself away.
constexpr std::array<SwapItem, 3> store_room_hissing{{
    {8, "a hissing basket", "wicker basket", {}, {}},
    {9, "a barrel", "barrel", {}, {}},
    {10, "some wooden pegs", "wooden pegs", {}, {}},
}};
constexpr std::array<SwapItem, 3> cellar_table_items{{
    {11, "a silver bell", "silver bell", {}, {}},
    {12, "a small mirror", "small mirror", {}, {}},
    {13, "a tube of glue", "glue", {}, {}},
}};
constexpr std::array<SwapItem, 3> stable_tools{{
    {4, "some pliers", "pliers", {}, {}},
    {5, "a rope", "rope", {}, {}},
    {6, "a crowbar", "crowbar", {}, {}},
}};
constexpr std::array<SwapItem, 3> instruments{{
    {17, "a trumpet", "trumpet", {}, {}},
    {18, "a flute", "flute", {}, {}},
    {19, "some cymbals", "cymbals", {}, {}},
}};

}  // namespace

double intro_story_two() {
    GAME_PROCEDURE(source_part_two);
    // The cage and the dungeon are borrowed for the last two screens; `loaded`
    // stays as it is, so b01 loads its own set afterwards.
    STMT load_picture("story02a", 0);
    STMT load_picture("story02b", 1);
    STMT load_picture("a51b", 2);
    STMT load_picture("b01", 3);
    STMT load_picture("b01a", 4);
    STMT load_picture("b01b", 5);
    STMT load_picture("b01c", 6);

    STMT show_picture(0, 0, 0);
    STMT print_wrapped(txt::intro_mission, 10);
    STMT wait_continue();
    STMT show_picture(0, 0, 0);
    STMT print_wrapped(txt::intro_beam, 10);
    STMT wait_continue();
    STMT show_picture(0, 0, 0);
    STMT show_picture(1, 140, 330);
    STMT print_wrapped(txt::intro_trap, 10);
    STMT wait_continue();
    STMT show_picture(0, 0, 0);
    STMT print_wrapped(txt::intro_task, 10);
    STMT wait_continue();

    STMT show_picture(gfxdungeon, 0, 0);
    STMT show_picture(2, 0, 0);
    STMT show_picture(4, 453, 421);
    STMT show_picture(5, 345, 430);
    STMT show_picture(6, 557, 439);
    STMT maxkern = 440;
    STMT print_wrapped(txt::intro_cage, 10);
    STMT wait_continue();

    STMT show_picture(gfxdungeon, 0, 0);
    STMT show_picture(3, 0, 0);
    STMT show_picture(4, 453, 421);
    STMT show_picture(5, 345, 430);
    STMT show_picture(6, 557, 439);
    STMT print_wrapped(txt::intro_open, 10);
    STMT wait_continue();
    return 0;
}

double location_b01() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(1, {"b01", "b01a", "b01b", "b01c"});
    STMT if (screendrawn == 0) {
        STMT dungeon_floor();
        STMT maxkern = 440;
        STMT print_wrapped(txt::b01, 10);
    }
    STMT swap_take(dungeon_tools, 110, SwapLine::part_two, 2);
    return 0;
}

double location_b02() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(1, {"b01", "b01a", "b01b", "b01c"});
    STMT if (screendrawn == 0) {
        STMT dungeon_floor();
        STMT maxkern = 440;
        STMT print_wrapped(txt::b02, 10);
    }
    STMT opt = ask(150, "Take the stone passage", "Follow the tunnel");
    STMT if (opt == 1) enter_maze(3);
    STMT if (opt == 2) loc = 14;
    return 0;
}

double location_b03() {
    GAME_PROCEDURE(source_part_two);
    double alt = 0;
    game_procedure_.local("alt", alt);
    STMT load_set(3, {"b03", "b03a"});
    STMT if (screendrawn == 0) {
        // Like a chessboard: two neighbouring cells never look alike.
        STMT alt = number_mod(mazeloc + std::trunc((mazeloc - 1) * 0.25), 2);
        STMT show_picture(alt, 0, 0);
        STMT print_wrapped(txt::b03, 50);
    }
    const std::vector<maze::Move> moves = maze::moves(mazeloc);
    std::array<std::string_view, 4> labels{};
    for (std::size_t i = 0; i < moves.size() && i < labels.size(); ++i) labels[i] = moves[i].label;
    STMT opt = ask(130, labels[0], labels[1], labels[2], labels[3]);
    STMT if (opt >= 1 && opt <= static_cast<double>(moves.size())) {
        const maze::Move& move = moves[static_cast<std::size_t>(opt) - 1];
        STMT if (move.location != 0) {
            STMT loc = move.location;
        } else {
            STMT mazeloc = move.cell;
        }
    }
    return 0;
}

double location_b04() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(4, {"b04", "b04a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(gfxdungeon, 0, 0);
        STMT show_picture(obj[7] == 0 ? 0 : 1, 250, 259);
        STMT print_wrapped(obj[7] == 0 ? txt::b04_locked : txt::b04_open, 10);
    }
    STMT if (obj[7] == 0) {
        // Cutting the padlock is option 3 and climbing option 4, whichever is offered.
        STMT if (obj[2] == 1 && obj[28] == 1) {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room", "Cut through the padlock",
                           "Climb up to the ledge");
        } else if (obj[2] == 1) {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room", "Cut through the padlock");
        } else if (obj[28] == 1) {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room", "Climb up to the ledge");
            STMT if (opt == 3) opt = 4;
        } else {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room");
        }
        STMT if (opt == 1) enter_maze(15);
        STMT if (opt == 2) {
            STMT show_picture(gfxdungeon, 0, 0);
            STMT show_picture(0, 250, 259);
            STMT message(txt::b04_padlock);
        }
        STMT if (opt == 3) {
            STMT show_picture(gfxdungeon, 0, 0);
            STMT show_picture(1, 250, 259);
            STMT message(txt::b04_cut);
            STMT obj[7] = 1;
            STMT loc = 5;
        }
        STMT if (opt == 4) loc = 26;
    } else {
        STMT if (obj[28] == 1) {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room", "Climb up to the ledge");
        } else {
            STMT opt = ask(130, "Go back into the maze", "Go into the store room");
        }
        STMT if (opt == 1) enter_maze(15);
        STMT if (opt == 2) loc = 5;
        STMT if (opt == 3) loc = 26;
    }
    return 0;
}

double location_b05() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(5, {"b05", "b05a", "b05b", "b05c"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[8] == 0, 1, 301, 320);
        STMT overlay(obj[9] == 0, 2, 179, 320);
        STMT overlay(obj[10] == 0, 3, 480, 370);
        STMT print_wrapped(txt::b05, 10);
    }
    STMT swap_leave(obj[23] == 1 ? store_room_hissing : store_room, 50, SwapLine::part_two, 4, "Go back to the pit");
    return 0;
}

double location_b06() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(6, {"b06", "b06a", "b06b"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b06, 10);
    }
    STMT opt = ask(110, "Walk along the passage", "Go into the maze");
    // The spider keeps to its corner once it has its thread.
    STMT if (opt == 1) loc = obj[22] == 0 ? 7 : 8;
    STMT if (opt == 2) enter_maze(9);
    return 0;
}

double location_b07() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(6, {"b06", "b06a", "b06b"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT show_picture(1, 140, 270);
        STMT print_wrapped(obj[14] == 0 ? txt::b07 : txt::b07_again, 10);
    }
    STMT if (obj[14] == 0) {
        STMT opt = ask(90, "Get out of here", "Ignore it");
    } else {
        STMT opt = ask(70, "Get out of here", "Ignore it", "Give it the thread");
    }
    STMT if (opt == 1) enter_maze(9);
    STMT if (opt == 2) {
        STMT show_picture(0, 0, 0);
        STMT show_picture(1, 140, 270);
        STMT message(txt::b07_ignore);
        STMT enter_maze(9);
    }
    STMT if (opt == 3) {
        STMT show_picture(0, 0, 0);
        STMT show_picture(2, 30, 320);
        STMT message(txt::b07_thread);
        STMT obj[22] = 1;
        STMT loc = 8;
    }
    return 0;
}

double location_b08() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(8, {"b08"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b08, 10);
    }
    STMT opt = ask(110, "Go up the steps", "Go back along the passage", "Look into the pit");
    STMT if (opt == 1) loc = 27;
    STMT if (opt == 2) loc = 6;
    STMT if (opt == 3) loc = 9;
    return 0;
}

double location_b09() {
    GAME_PROCEDURE(source_part_two);
    STMT falling_in_dark();
    STMT message(txt::b09_fall);
    STMT loc = 4;
    return 0;
}

double location_b10() {
    GAME_PROCEDURE(source_part_two);
    double pos = 0;
    game_procedure_.local("pos", pos);
    STMT load_set(10, {"b10", "b10a", "b10b", "b10c", "b10d", "b10e"});
    STMT if (screendrawn == 0) {
        STMT coffin_cellar();
        STMT maxkern = 600;
        STMT print_wrapped(txt::b10, 10);
    }
    // Without a peg on the nose nobody stays in here after the egg.
    STMT if (obj[34] == 1 && obj[10] == 0) {
        STMT message(txt::b10_stink, 70);
        STMT enter_maze(8);
        return 0;
    }
    STMT pos = 70;
    STMT if (obj[34] == 1 && obj[10] == 1) {
        STMT if (screendrawn == 0) print_wrapped(txt::b10_pegs, pos);
        STMT pos = pos + 60;
    }
    STMT if (screendrawn == 0) print_wrapped(txt::b10_heading, pos);
    STMT pos = pos + 20;
    STMT swap_take(cellar_table_items, pos, SwapLine::part_two, 11);
    return 0;
}

double location_b11() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(10, {"b10", "b10a", "b10b", "b10c", "b10d", "b10e"});
    STMT if (screendrawn == 0) {
        STMT coffin_cellar();
        STMT maxkern = 600;
        STMT if (obj[25] == 0) {
            STMT print_wrapped(txt::b11_snoring, 10);
        } else if (obj[26] == 0) {
            STMT print_wrapped(txt::b11_cape, 10);
        } else {
            STMT print_wrapped(txt::b11_empty, 10);
        }
    }
    STMT if (obj[25] == 0) {
        STMT opt = ask(170, "Go up the steps", "Go into the maze", "Open the coffin", "Tug the bell-rope");
        STMT if (opt == 1) loc = 12;
        STMT if (opt == 2) enter_maze(8);
        STMT if (opt == 3) {
            STMT show_picture(1, 0, 0);
            STMT cellar_table();
            STMT show_picture(2, 360, 220);
            STMT print_wrapped(txt::b11_duck, 10);
            STMT if (obj[24] == 0) {
                STMT print_wrapped(txt::b11_duck_rings, 90);
                STMT wait_continue();
                // The duck pulls the bell-rope himself: option 4 follows in this call.
                STMT opt = 4;
            } else {
                STMT print_wrapped(txt::b11_duck_flees, 90);
                STMT wait_continue();
                STMT obj[25] = 1;
                STMT obj[34] = 1;
                STMT loc = 10;
            }
        }
        STMT if (opt == 4) bell_rope_fall();
    } else if (obj[26] == 0) {
        STMT opt = ask(170, "Go up the steps", "Go into the maze", "Tug the bell-rope", "Take the cape");
        STMT if (opt == 1) loc = 12;
        STMT if (opt == 2) enter_maze(8);
        STMT if (opt == 3) bell_rope_fall();
        STMT if (opt == 4) obj[26] = 1;
    } else {
        STMT opt = ask(130, "Go up the steps", "Go into the maze", "Tug the bell-rope");
        STMT if (opt == 1) loc = 12;
        STMT if (opt == 2) enter_maze(8);
        STMT if (opt == 3) bell_rope_fall();
    }
    return 0;
}

double location_b12() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(12, {"b12", "b12a", "b12b", "b12c"});
    STMT if (screendrawn == 0) {
        STMT tower_room();
        STMT if (obj[15] == 0) {
            STMT print_wrapped(obj[14] == 0 ? txt::b12_shut_thread : txt::b12_shut, 10);
        } else {
            STMT print_wrapped(obj[14] == 0 ? txt::b12_open_thread : txt::b12_open, 10);
        }
    }
    STMT if (obj[15] == 0) {
        STMT if (obj[14] == 0) {
            STMT opt = ask(130, "Go down the steps", "Look at the window", "Take the thread");
        } else {
            STMT opt = ask(110, "Go down the steps", "Look at the window");
        }
        STMT if (opt == 1) loc = 10;
        STMT if (opt == 2) loc = 13;
        STMT if (opt == 3) obj[14] = 1;
    } else {
        STMT if (obj[14] == 0) {
            STMT opt = ask(150, "Go down the steps", "Climb out onto the ledge", "Take the thread");
        } else {
            STMT opt = ask(130, "Go down the steps", "Climb out onto the ledge");
        }
        STMT if (opt == 1) loc = 10;
        STMT if (opt == 2) loc = 18;
        STMT if (opt == 3) obj[14] = 1;
    }
    return 0;
}

double location_b13() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(12, {"b12", "b12a", "b12b", "b12c"});
    // Drawn on every call: without the crowbar there is no menu to keep the screen.
    STMT show_picture(0, 0, 0);
    STMT show_picture(1, 480, 201);
    STMT overlay(obj[14] == 0, 3, 510, 380);
    STMT print_wrapped(txt::b13, 10);
    STMT if (obj[6] == 0) {
        STMT wait_continue();
        STMT loc = 12;
        return 0;
    }
    STMT opt = ask(110, "Lever it open", "Go down the steps", "Look around the room");
    STMT if (opt == 1) {
        STMT show_picture(0, 0, 0);
        STMT show_picture(2, 460, 201);
        STMT overlay(obj[14] == 0, 3, 510, 380);
        STMT message(txt::b13_lever);
        STMT obj[15] = 1;
        STMT loc = 12;
    }
    STMT if (opt == 2) loc = 10;
    STMT if (opt == 3) loc = 12;
    return 0;
}

double location_b14() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(14, {"b14"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT maxkern = 480;
        STMT print_wrapped(txt::b14, 40);
    }
    STMT opt = ask(160, "Go back to the dungeon", "Climb the ladder");
    STMT if (opt == 1) loc = 1;
    STMT if (opt == 2) loc = 15;
    return 0;
}

double location_b15() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(15, {"b15"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::b15, 10);
    }
    STMT opt = ask(110, "Climb down the drain", "Go into the stable", "Look around the yard");
    STMT if (opt == 1) loc = 14;
    STMT if (opt == 2) loc = 17;
    STMT if (opt == 3) loc = 16;
    return 0;
}

double location_b16() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(15, {"b15"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT print_wrapped(txt::b16, 10);
    }
    STMT opt = ask(90, "Climb down the drain", "Go into the stable", "Go back across the yard");
    STMT if (opt == 1) loc = 14;
    STMT if (opt == 2) loc = 17;
    STMT if (opt == 3) loc = 15;
    return 0;
}

double location_b17() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(17, {"b17", "b17a", "b17b", "b17c"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[4] == 0, 1, 6, 428);
        STMT overlay(obj[5] == 0, 2, 197, 369);
        STMT overlay(obj[6] == 0, 3, 408, 410);
        STMT print_wrapped(txt::b17, 10);
    }
    STMT swap_leave(stable_tools, 70, SwapLine::part_two, 15, "Go back to the courtyard");
    return 0;
}

double location_b18() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(18, {"b18"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b18, 10);
    }
    STMT opt = ask(130, "Climb into the library", "Climb into the tower", "Look down");
    STMT if (opt == 1) loc = 19;
    STMT if (opt == 2) loc = 12;
    STMT if (opt == 3) {
        STMT falling_in_sky();
        STMT message(txt::b18_look_down);
        STMT loc = 36;
    }
    return 0;
}

double location_b19() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(19, {"b19", "b19a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(obj[35] == 0 ? 0 : 1, 0, 0);
        STMT print_wrapped(obj[35] == 0 ? txt::b19_shut : txt::b19_open, 10);
    }
    STMT if (obj[35] == 0) {
        STMT opt = ask(90, "Read the book", "Search the shelves", "Switch on the lamp", "Go into the corridor",
                       "Climb out of the window");
        STMT if (opt == 1) {
            STMT show_picture(0, 0, 0);
            STMT message(txt::b19_book);
        }
        STMT if (opt == 2) {
            // The lamp's switch is what unlocks the bookcase.
            STMT if (obj[20] == 0) {
                STMT show_picture(0, 0, 0);
                STMT message(txt::b19_crack);
            } else {
                STMT show_picture(1, 0, 0);
                STMT message(txt::b19_swing);
                STMT loc = 20;
                STMT obj[35] = 1;
            }
        }
        STMT if (opt == 3) {
            STMT show_picture(0, 0, 0);
            STMT message(txt::b19_lamp);
            STMT obj[20] = 1;
        }
        STMT if (opt == 4) loc = 21;
        STMT if (opt == 5) loc = 18;
    } else {
        STMT opt = ask(130, "Read the book", "Go into the secret room", "Go into the corridor",
                       "Climb out of the window");
        STMT if (opt == 1) {
            STMT show_picture(1, 0, 0);
            STMT message(txt::b19_book);
        }
        STMT if (opt == 2) loc = 20;
        STMT if (opt == 3) loc = 21;
        STMT if (opt == 4) loc = 18;
    }
    return 0;
}

double location_b20() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(20, {"b20", "b20a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[21] == 0, 1, 292, 426);
        STMT print_wrapped(obj[21] == 0 ? txt::b20_map : txt::b20, 10);
    }
    STMT if (obj[21] == 0) {
        STMT opt = ask(130, "Explore the room", "Go back to the library", "Go down the steps", "Take the map");
    } else {
        STMT opt = ask(110, "Explore the room", "Go back to the library", "Go down the steps");
    }
    STMT if (opt == 1) {
        STMT clear_screen();
        STMT message(txt::b20_explore);
        STMT enter_maze(15);
    }
    STMT if (opt == 2) loc = 19;
    STMT if (opt == 3) enter_maze(15);
    STMT if (opt == 4) obj[21] = 1;
    return 0;
}

double location_b21() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(21, {"b21", "b21a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b21, 10);
    }
    // Only someone who came out of the secret passage thinks of looking for it.
    STMT if (obj[30] == 1) {
        STMT opt = ask(130, "Go down the stairs", "Go into the library", "Go into the music room",
                       "Go into the secret passage");
    } else {
        STMT opt = ask(130, "Go down the stairs", "Go into the library", "Go into the music room");
    }
    STMT if (opt == 1) loc = 22;
    STMT if (opt == 2) loc = 19;
    STMT if (opt == 3) loc = 25;
    STMT if (opt == 4) {
        STMT show_picture(1, 0, 0);
        STMT message(txt::b21_panel);
        STMT obj[30] = 0;
    }
    return 0;
}

double location_b22() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(22, {"b22", "b22a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[27] == 0, 1, 440, 316);
        STMT print_wrapped(obj[27] == 0 ? txt::b22_nailed : txt::b22_open, 10);
    }
    STMT if (obj[27] == 0) {
        STMT opt = ask(110, "Pull out the nails", "Go up the stairs");
        STMT if (opt == 1) {
            STMT if (obj[4] == 0) {
                STMT show_picture(0, 0, 0);
                STMT show_picture(1, 440, 316);
                STMT message(txt::b22_no_tool);
            } else {
                STMT show_picture(0, 0, 0);
                STMT message(txt::b22_pliers);
                STMT obj[27] = 1;
            }
        }
        STMT if (opt == 2) loc = 21;
    } else {
        STMT opt = ask(70, "Go through the door", "Go up the stairs");
        STMT if (opt == 1) loc = 23;
        STMT if (opt == 2) loc = 21;
    }
    return 0;
}

double location_b23() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(23, {"b23", "b23a", "b23b", "b23c"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT show_picture(1, 450, 310);
        STMT overlay(obj[28] == 0, 3, 75, 170);
        STMT print_wrapped(obj[28] == 0 ? txt::b23_ladder : txt::b23, 10);
    }
    STMT if (obj[28] == 0) {
        STMT opt = ask(130, "Go through the doorway", "Search the cellar", "Take the ladder");
    } else {
        STMT opt = ask(110, "Go through the doorway", "Search the cellar");
    }
    STMT if (opt == 1) {
        STMT if (obj[27] == 0) {
            STMT show_picture(0, 0, 0);
            STMT show_picture(1, 450, 310);
            STMT message(txt::b23_nailed);
        } else {
            STMT loc = 22;
        }
    }
    STMT if (opt == 2) loc = 24;
    STMT if (opt == 3) obj[28] = 1;
    return 0;
}

double location_b24() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(23, {"b23", "b23a", "b23b", "b23c"});
    STMT if (screendrawn == 0) {
        STMT grate_corner();
        STMT print_wrapped(obj[28] == 0 ? txt::b24_grate : txt::b24_ladder, 10);
    }
    STMT if (obj[28] == 0) {
        STMT opt = ask(90, "Go through the doorway", "Squeeze into the dungeon", "Take the ladder");
        STMT if (opt == 1) {
            STMT if (obj[27] == 0) {
                STMT grate_corner();
                STMT message(txt::b23_nailed);
            } else {
                STMT loc = 22;
            }
        }
        STMT if (opt == 2) loc = 1;
        STMT if (opt == 3) obj[28] = 1;
    } else {
        STMT opt = ask(110, "Go through the doorway", "Squeeze into the dungeon");
        STMT if (opt == 1) {
            STMT if (obj[27] == 0) {
                STMT grate_corner();
                STMT message(txt::b23_nailed);
            } else {
                STMT loc = 22;
            }
        }
        // The ladder stays behind: it will not go through the grate.
        STMT if (opt == 2) {
            STMT obj[28] = 0;
            STMT loc = 1;
        }
    }
    return 0;
}

double location_b25() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(25, {"b25", "b25a", "b25b", "b25c"});
    STMT if (screendrawn == 0) {
        STMT music_room();
        STMT print_wrapped(txt::b25, 10);
        STMT print_text(txt::b25_piano, 0, 80);
    }
    STMT swap_leave(instruments, 100, SwapLine::part_two, 21, "Go back to the corridor", "Take the grand piano");
    // The piano can be chosen but never carried.
    STMT if (opt == 2) obj[16] = 1;
    STMT if (obj[16] == 1) {
        STMT music_room();
        STMT message(txt::b25_too_heavy);
        STMT obj[16] = 0;
    }
    return 0;
}

double location_b26() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(26, {"b26", "b26a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT overlay(obj[29] == 0, 1, 370, 255);
        STMT print_wrapped(obj[29] == 0 ? txt::b26_key : txt::b26, 10);
    }
    STMT if (obj[29] == 0) {
        STMT opt = ask(150, "Climb down the ladder", "Jump across the pit", "Take the key");
    } else {
        STMT opt = ask(130, "Climb down the ladder", "Jump across the pit");
    }
    STMT if (opt == 1) loc = 4;
    STMT if (opt == 2) {
        STMT falling_in_dark();
        STMT message(txt::b26_jump);
        STMT loc = 4;
    }
    STMT if (opt == 3) {
        STMT if (obj[1] == 0) {
            STMT show_picture(0, 0, 0);
            STMT show_picture(1, 370, 255);
            STMT message(txt::b26_fingers);
        } else {
            STMT show_picture(0, 0, 0);
            STMT message(txt::b26_tongs);
            STMT obj[29] = 1;
        }
    }
    return 0;
}

double location_b27() {
    GAME_PROCEDURE(source_part_two);
    double have = 0;
    game_procedure_.local("have", have);
    STMT load_set(27, {"b27", "b27a", "b27b", "b27c"});
    STMT if (screendrawn == 0) {
        STMT museum();
        STMT print_wrapped(obj[23] == 0 ? txt::b27_hissing : txt::b27, 10);
    }
    STMT if (obj[23] == 0) {
        // Any instrument will do to try a tune on the snake.
        STMT have = obj[17] + obj[18] + obj[19];
        STMT if (have != 0) {
            STMT opt = ask(190, "Go down the steps", "Look at the display cases", "Explore further",
                           "Go through the exit", "Play a tune");
        } else {
            STMT opt = ask(190, "Go down the steps", "Look at the display cases", "Explore further",
                           "Go through the exit");
        }
        STMT if (opt == 1) loc = 8;
        STMT if (opt == 2 || opt == 3) {
            STMT museum_with_snake();
            STMT message(txt::b27_snake);
            STMT loc = 15;
        }
        STMT if (opt == 4) loc = 15;
        STMT if (opt == 5) loc = 28;
    } else {
        STMT opt = ask(130, "Go down the steps", "Look at the display cases", "Explore further", "Go through the exit");
        STMT if (opt == 1) loc = 8;
        STMT if (opt == 2) loc = 29;
        STMT if (opt == 3) loc = 30;
        STMT if (opt == 4) loc = 15;
    }
    return 0;
}

double location_b28() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(27, {"b27", "b27a", "b27b", "b27c"});
    STMT if (obj[17] == 1) {
        STMT museum_with_snake();
        STMT message(txt::b28_trumpet);
        STMT loc = 15;
    } else if (obj[18] == 1) {
        STMT museum_with_snake();
        STMT message(txt::b28_flute);
        STMT if (obj[8] == 0) {
            STMT museum();
            STMT message(txt::b28_no_basket);
            STMT loc = 27;
        } else {
            STMT museum();
            STMT show_picture(2, 245, 225);
            STMT message(txt::b28_basket);
            STMT obj[23] = 1;
            STMT loc = 27;
        }
    } else if (obj[19] == 1) {
        STMT museum_with_snake();
        STMT message(txt::b28_cymbals);
        STMT loc = 15;
    }
    return 0;
}

double location_b29() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(27, {"b27", "b27a", "b27b", "b27c"});
    STMT if (screendrawn == 0) {
        STMT museum();
        STMT print_wrapped(obj[24] == 0 ? txt::b29_egg : txt::b29, 10);
    }
    STMT if (obj[24] == 0) {
        STMT opt = ask(90, "Explore further", "Go back to the steps", "Take the egg");
    } else {
        STMT opt = ask(70, "Explore further", "Go back to the steps");
    }
    STMT if (opt == 1) loc = 30;
    STMT if (opt == 2) loc = 27;
    STMT if (opt == 3) obj[24] = 1;
    return 0;
}

double location_b30() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(30, {"b30", "b30a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(obj[33] == 0 ? 0 : 1, 0, 0);
        STMT print_wrapped(obj[33] == 0 ? txt::b30 : txt::b30_bones, 10);
    }
    STMT if (obj[33] == 0) {
        STMT opt = ask(130, "Go to the display cases", "Climb the skeleton", "Explore further");
        STMT if (opt == 1) loc = 29;
        STMT if (opt == 2) loc = 31;
        STMT if (opt == 3) loc = 27;
    } else if (obj[13] == 0) {
        STMT opt = ask(130, "Go to the display cases", "Explore further");
        STMT if (opt == 1) loc = 29;
        STMT if (opt == 2) loc = 27;
    } else {
        STMT opt = ask(130, "Go to the display cases", "Glue the bones together", "Explore further");
        STMT if (opt == 1) loc = 29;
        STMT if (opt == 2) loc = 33;
        STMT if (opt == 3) loc = 27;
    }
    return 0;
}

double location_b31() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(31, {"b31"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b31, 10);
    }
    STMT opt = ask(110, "Jump off", "Climb on");
    STMT if (opt == 1) loc = 30;
    STMT if (opt == 2) loc = 32;
    return 0;
}

double location_b32() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(32, {"b32", "b32a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b32, 10);
    }
    STMT opt = ask(130, "Jump off", "Jump to the balcony");
    // Only the cape carries anyone as far as the balcony.
    STMT if (opt == 2 && obj[26] == 1) {
        STMT show_picture(1, 0, 0);
        STMT message(txt::b32_glide);
        STMT loc = 34;
        STMT obj[33] = 1;
    }
    STMT if (opt == 1 || (opt == 2 && obj[26] == 0)) {
        STMT falling_indoors();
        STMT message(txt::b32_crash);
        STMT loc = 30;
        STMT obj[33] = 1;
    }
    return 0;
}

double location_b33() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(33, {"b33", "b33a"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b33, 10);
    }
    STMT opt = ask(110, "Go on gluing", "Wander off");
    STMT if (opt == 1) {
        STMT show_picture(1, 0, 0);
        STMT message(txt::b33_done);
        STMT obj[33] = 0;
        STMT loc = 30;
    }
    STMT if (opt == 2) loc = 27;
    return 0;
}

double location_b34() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(34, {"b34", "b34a", "b18"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(txt::b34, 10);
    }
    STMT opt = ask(150, "Go back down to the museum", "Look at the portraits",
                   obj[5] == 0 ? "Jump down to the ledge" : "Climb down to the ledge");
    STMT if (opt == 1) {
        STMT falling_indoors();
        STMT message(txt::b34_crash);
        STMT loc = 30;
    }
    STMT if (opt == 2) loc = 35;
    STMT if (opt == 3) {
        STMT if (obj[5] == 0) {
            STMT falling_in_sky();
            STMT message(txt::b34_jump);
            STMT loc = 36;
        } else {
            STMT show_picture(2, 0, 0);
            STMT message(txt::b34_rope);
            STMT loc = 18;
        }
    }
    return 0;
}

double location_b35() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(34, {"b34", "b34a", "b18"});
    STMT if (screendrawn == 0) {
        STMT show_picture(1, 0, 0);
        STMT print_wrapped(txt::b35, 10);
    }
    STMT opt = ask(130, "Explore further", "Release the catch");
    STMT if (opt == 1) loc = 34;
    STMT if (opt == 2) {
        STMT if (obj[3] == 0) {
            STMT show_picture(1, 0, 0);
            STMT message(txt::b35_stiff);
            STMT loc = 34;
        } else {
            STMT show_picture(1, 0, 0);
            STMT message(txt::b35_knife);
            STMT loc = 37;
            STMT obj[30] = 1;
        }
    }
    return 0;
}

double location_b36() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(36, {"b36"});
    STMT falling_in_sky();
    STMT message(txt::b36_falling);
    STMT outdoors(0);
    STMT message(txt::b36_straw);
    STMT loc = 15;
    return 0;
}

double location_b37() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(37, {"b37"});
    STMT if (screendrawn == 0) {
        STMT show_picture(0, 0, 0);
        STMT print_wrapped(obj[21] == 0 ? txt::b37 : txt::b37_map, 10);
    }
    STMT opt = ask(110, "Go left", "Go right", "Go straight on");
    STMT if (opt == 1) loc = 34;
    // Without the map the right-hand way is just another way back to the corridor.
    STMT if (opt == 2) loc = obj[21] == 0 ? 21 : 38;
    STMT if (opt == 3) loc = 37;
    return 0;
}

double location_b38() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(38, {"b38", "b38a", "b38b", "b38c"});
    STMT control_room();
    STMT message(txt::b38);
    STMT loc = 39;
    return 0;
}

double location_b39() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(38, {"b38", "b38a", "b38b", "b38c"});
    STMT control_room();
    STMT message(txt::b39);
    STMT loc = 40;
    return 0;
}

double location_b40() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(38, {"b38", "b38a", "b38b", "b38c"});
    STMT if (screendrawn == 0) {
        STMT control_room();
        STMT print_wrapped(txt::b40, 10);
    }
    STMT opt = ask(110, "Examine the machine", "Go back to the passage", "Go out to the catwalk");
    STMT if (opt == 1) loc = 41;
    STMT if (opt == 2) loc = 37;
    STMT if (opt == 3) {
        STMT if (obj[29] == 0) {
            STMT control_room();
            STMT message(txt::b40_locked);
        } else {
            STMT loc = 42;
        }
    }
    return 0;
}

double location_b41() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(38, {"b38", "b38a", "b38b", "b38c"});
    STMT if (screendrawn == 0) {
        STMT show_picture(3, 0, 0);
        STMT print_wrapped(txt::b41, 10);
    }
    STMT opt = ask(130, "Press the red button", "Press the green button", "Explore further");
    STMT if (opt == 1) {
        STMT if (obj[32] == 0) {
            STMT show_picture(0, 0, 0);
            STMT message(txt::b41_nothing);
        } else {
            STMT show_picture(2, 0, 0);
            STMT message(txt::b41_fire);
            // Without the mirror the beam only goes out into the sky; the machine stays armed.
            STMT if (obj[31] == 1) {
                STMT loc = 43;
            } else {
                STMT show_picture(1, 0, 0);
                STMT message(txt::b41_hint);
            }
        }
    }
    STMT if (opt == 2) {
        STMT if (obj[32] == 0) {
            STMT show_picture(1, 0, 0);
            STMT message(txt::b41_hum);
            STMT obj[32] = 1;
        } else {
            STMT show_picture(0, 0, 0);
            STMT message(txt::b41_stop);
            STMT obj[32] = 0;
        }
    }
    STMT if (opt == 3) loc = 40;
    return 0;
}

double location_b42() {
    GAME_PROCEDURE(source_part_two);
    STMT load_set(42, {"b42", "b42a"});
    STMT if (screendrawn == 0) {
        STMT outdoors(0);
        STMT overlay(obj[31] == 1, 1, 30, 330);
        STMT print_wrapped(obj[31] == 0 ? txt::b42 : txt::b42_mirror, 10);
    }
    STMT if (obj[31] == 0) {
        STMT if (obj[12] == 1) {
            STMT opt = ask(110, "Enjoy the view", "Go into the observatory", "Put the mirror in the slot");
        } else {
            STMT opt = ask(110, "Enjoy the view", "Go into the observatory");
        }
    } else {
        STMT opt = ask(130, "Enjoy the view", "Go into the observatory");
    }
    STMT if (opt == 1) {
        STMT falling_in_sky();
        STMT message(txt::b42_blown_off);
        STMT loc = 36;
    }
    STMT if (opt == 2) loc = 39;
    // The mirror stays counted as carried while it sits in the slot.
    STMT if (opt == 3) obj[31] = 1;
    return 0;
}

double location_b43() {
    GAME_PROCEDURE(source_part_two);
    double loop = 0;
    game_procedure_.local("loop", loop);
    STMT load_set(43, {"b43", "b43a"});
    STMT for (loop = 1; loop <= 8; loop = loop + 1) {
        STMT draw_rect(0, 0, 640 / resx, 480 / resx, yellow);
        STMT present_frame();
        STMT sleep_ms(80);
        STMT draw_rect(0, 0, 640 / resx, 480 / resx, red);
        STMT present_frame();
        STMT sleep_ms(80);
    }
    STMT show_picture(0, 0, 0);
    STMT message(txt::b43_explosion);
    STMT show_picture(1, 0, 0);
    STMT message(txt::b43_pudding);
    // The ending screens follow.
    STMT loc = 44;
    return 0;
}

void run_part_two_location(double location) {
    static constexpr std::array<double (*)(), 43> procedures{
        location_b01, location_b02, location_b03, location_b04, location_b05, location_b06, location_b07,
        location_b08, location_b09, location_b10, location_b11, location_b12, location_b13, location_b14,
        location_b15, location_b16, location_b17, location_b18, location_b19, location_b20, location_b21,
        location_b22, location_b23, location_b24, location_b25, location_b26, location_b27, location_b28,
        location_b29, location_b30, location_b31, location_b32, location_b33, location_b34, location_b35,
        location_b36, location_b37, location_b38, location_b39, location_b40, location_b41, location_b42,
        location_b43,
    };
    // 44 is the ending screen, which the main loop runs itself.
    if (location < 1 || location > 43 || location != std::floor(location)) return;
    procedures[static_cast<std::size_t>(location) - 1]();
}

}  // namespace game
