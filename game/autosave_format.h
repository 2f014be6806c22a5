#pragma once
// The autosave file: the story state of each part in the runtime's key-file
// format, so a player can read it, and the checks a file must pass before the
// game trusts it. No file access and no game globals here: only text in and
// text out.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace game::autosave {

inline constexpr int obj_size = 50;

// Where the player stands in one part and what the story has recorded.
struct PartState {
    int loc = 1;
    int mazeloc = 0;
    std::array<bool, obj_size> obj{};  // item and world-flag elements that are 1

    bool operator==(const PartState&) const = default;
};

// The file holds at most one state per part: [0] Part One, [1] Part Two.
struct SavedGame {
    std::array<std::optional<PartState>, 2> parts;

    bool empty() const { return !parts[0] && !parts[1]; }
    bool operator==(const SavedGame&) const = default;
};

std::string write_text(const SavedGame& game);

struct ReadResult {
    std::optional<SavedGame> game;  // set when the file passed every check
    std::string problem;            // why it did not, for the log
};
// Reads a file's bytes. A Part Two state counts only while Part One has been
// finished (a marker that holds the code): the file alone never opens Part Two.
ReadResult read_text(std::string_view text, bool part_one_finished);

// Whether the state is one the part's locations can be entered with: a known
// location, items and flags the part uses, at most one item of each group.
// Empty when it is, else the reason.
std::string check_state(int part, const PartState& state);

}  // namespace game::autosave
