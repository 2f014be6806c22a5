#pragma once
// The maze below the chateau: 16 cells, numbered row by row on a 4 x 4 grid
// (cell 1 top left, cell 16 bottom right). Four border moves lead out.
#include <string_view>
#include <vector>

namespace game::maze {

// One menu option of a cell: either another cell or a location outside.
struct Move {
    std::string_view label;  // "Go north", "Go south", "Go east" or "Go west"
    double cell;             // the cell moved to; 0 when the move leaves the maze
    double location;         // loc of the way out; 0 inside the maze
};

// The options of a cell in menu order: north, south, east, west, leaving
// out the directions that would run off the grid. Empty outside 1..16.
std::vector<Move> moves(double cell);

}  // namespace game::maze
