#include "game/maze.h"

#include <array>
#include <cmath>

namespace game::maze {
namespace {

constexpr int side = 4;

struct Direction {
    std::string_view label;
    int row_step;
    int column_step;
};

// Menu order.
constexpr std::array<Direction, 4> directions{{
    {"Go north", -1, 0},
    {"Go south", 1, 0},
    {"Go east", 0, 1},
    {"Go west", 0, -1},
}};

// The four ways out, each from the cell next to where it leads.
struct Exit {
    int cell;
    std::string_view label;
    double location;
};
constexpr std::array<Exit, 4> exits{{
    {3, "Go north", 1},    // the dungeon below the cage
    {15, "Go south", 4},   // the pit
    {8, "Go east", 10},    // the coffin cellar
    {9, "Go west", 6},     // the cobwebbed passage
}};

double exit_from(int cell, std::string_view label) {
    for (const Exit& exit : exits) {
        if (exit.cell == cell && exit.label == label) return exit.location;
    }
    return 0;
}

}  // namespace

std::vector<Move> moves(double cell) {
    std::vector<Move> menu;
    if (cell < 1 || cell > side * side || cell != std::floor(cell)) return menu;
    const int index = static_cast<int>(cell) - 1;
    const int row = index / side;
    const int column = index % side;
    for (const Direction& direction : directions) {
        const double way_out = exit_from(index + 1, direction.label);
        if (way_out != 0) {
            menu.push_back({direction.label, 0, way_out});
            continue;
        }
        const int to_row = row + direction.row_step;
        const int to_column = column + direction.column_step;
        if (to_row < 0 || to_row >= side || to_column < 0 || to_column >= side) continue;
        menu.push_back({direction.label, static_cast<double>(to_row * side + to_column + 1), 0});
    }
    return menu;
}

}  // namespace game::maze
