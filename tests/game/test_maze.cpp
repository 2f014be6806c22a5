// The maze's menus: directions in a fixed order, every move with its way back,
// nothing off the grid, and exactly four ways out.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "game/maze.h"

namespace {

using game::maze::Move;
using game::maze::moves;

// A menu written out as "S5 E2" (a letter per direction, then the cell, or
// "b" and the location for a way out), to compare with the map of the maze.
std::string menu_of(double cell) {
    std::string text;
    for (const Move& move : moves(cell)) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(move.label[3])));
        text += move.location != 0 ? "b" + std::to_string(static_cast<int>(move.location))
                                   : std::to_string(static_cast<int>(move.cell));
    }
    return text;
}

TEST(Maze, EveryCellOffersItsMenu) {
    const std::vector<std::string> expected{
        "S5 E2",           "S6 E3 W1",          "Nb1 S7 E4 W2",   "S8 W3",
        "N1 S9 E6",        "N2 S10 E7 W5",      "N3 S11 E8 W6",   "N4 S12 Eb10 W7",
        "N5 S13 E10 Wb6",  "N6 S14 E11 W9",     "N7 S15 E12 W10", "N8 S16 W11",
        "N9 E14",          "N10 E15 W13",       "N11 Sb4 E16 W14", "N12 W15",
    };
    for (int cell = 1; cell <= 16; ++cell) EXPECT_EQ(menu_of(cell), expected[cell - 1]) << "cell " << cell;
}

TEST(Maze, CellsOutsideTheGridHaveNoMenu) {
    EXPECT_TRUE(moves(0).empty());
    EXPECT_TRUE(moves(17).empty());
    EXPECT_TRUE(moves(2.5).empty());
}

}  // namespace
