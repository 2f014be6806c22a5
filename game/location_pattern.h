#pragma once
// Routines every location procedure shares: picture sets, backdrops,
// overlays, messages and the item-swap listing.
#include <initializer_list>
#include <span>
#include <string_view>

namespace game {

// Loads the set's pictures into slots 0, 1, 2, ... when `loaded` differs,
// then records the set in `loaded`.
void load_set(double set, std::initializer_list<std::string_view> pictures);
// Draws a slot at (x, y) when the condition holds.
void overlay(bool condition, double slot, double x, double y);
// A message over what is drawn: the text wrapped at y, then the continue prompt.
void message(std::string_view text, double y = 10);

// One item of a swap group.
struct SwapItem {
    int index;                   // its obj element
    std::string_view listed;     // list line, e.g. "an empty bottle"
    std::string_view name;       // after "Take the " / "Keep the "
    std::string_view swap_name;  // after "You can swap the "; empty: same as name
    std::string_view take_text;  // whole take option when it differs, e.g. "Take some milk"
};

enum class SwapLine { part_one, part_two };

// Take variant (a02, a25, a33, a41, b01, b10): lists the group from list_y,
// runs the menu and, on a choice, moves to exit_location with the new item.
void swap_take(std::span<const SwapItem> group, double list_y, SwapLine line, double exit_location);

// Leave variant (b05, b17, b25): option 1 (leave_text) moves to
// exit_location, the others take an item and stay. b25 passes its piano as
// extra_option, offered as option 2 before the group and never carried.
void swap_leave(std::span<const SwapItem> group, double list_y, SwapLine line, double exit_location,
                std::string_view leave_text, std::string_view extra_option = {});

}  // namespace game
