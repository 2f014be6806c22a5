#include "game/location_pattern.h"

#include <array>
#include <string>
#include <vector>

#include "game/globals.h"
#include "game/menu.h"
#include "game/procedure.h"
#include "game/text.h"

namespace game {
namespace {

constexpr std::size_t menu_size = 5;

// Index of the carried item of the group (its obj element), 0 when none.
int carried_item(std::span<const SwapItem> group) {
    int have = 0;
    for (const SwapItem& item : group) {
        if (obj[item.index] == 1) have = item.index;
    }
    return have;
}

const SwapItem* find_item(std::span<const SwapItem> group, int index) {
    for (const SwapItem& item : group) {
        if (item.index == index) return &item;
    }
    return nullptr;
}

std::string take_option(const SwapItem& item) {
    return item.take_text.empty() ? "Take the " + std::string(item.name) : std::string(item.take_text);
}

// Prints the list of items lying here and the swap line; returns the menu y.
double print_listing(std::span<const SwapItem> group, int have, double pos, SwapLine line) {
    GAME_PROCEDURE(source_main);
    for (const SwapItem& item : group) {
        if (item.index == have) continue;
        STMT if (screendrawn == 0) print_text(item.listed, 0, pos);
        STMT pos += 20;
    }
    const SwapItem* carried = find_item(group, have);
    const auto swap_text = [&] {
        const std::string_view name = carried->swap_name.empty() ? carried->name : carried->swap_name;
        return "You can swap the " + std::string(name);
    };
    if (line == SwapLine::part_two) {
        STMT pos += 20;
    }
    STMT if (carried != nullptr && screendrawn == 0) print_text(swap_text(), 0, pos);
    STMT pos += line == SwapLine::part_one ? 20 : 40;
    return pos;
}

// Every item but the carried one, in group order, each offered as a take option.
std::vector<const SwapItem*> offer_takes(std::span<const SwapItem> group, double have,
                                         std::vector<std::string>& options) {
    std::vector<const SwapItem*> takes;
    for (const SwapItem& item : group) {
        if (item.index == have) continue;
        takes.push_back(&item);
        options.push_back(take_option(item));
    }
    return takes;
}

double menu(double y, const std::vector<std::string>& options) {
    std::array<std::string, menu_size> texts{};
    for (std::size_t i = 0; i < options.size() && i < menu_size; ++i) texts[i] = options[i];
    return choice_menu(y, texts[0], texts[1], texts[2], texts[3], texts[4]);
}

}  // namespace

void load_set(double set, std::initializer_list<std::string_view> pictures) {
    GAME_PROCEDURE(source_main);
    STMT if (loaded == set) return;
    double slot = 0;
    for (std::string_view picture : pictures) {
        STMT load_picture(picture, slot);
        slot += 1;
    }
    STMT loaded = set;
}

void overlay(bool condition, double slot, double x, double y) {
    GAME_PROCEDURE(source_main);
    STMT if (condition) show_picture(slot, x, y);
}

void message(std::string_view text, double y) {
    GAME_PROCEDURE(source_main);
    STMT print_wrapped(text, y);
    STMT wait_continue();
}

void swap_take(std::span<const SwapItem> group, double list_y, SwapLine line, double exit_location) {
    GAME_PROCEDURE(source_main);
    double have = 0;
    game_procedure_.local("have", have);
    STMT have = carried_item(group);
    double pos = 0;
    game_procedure_.local("pos", pos);
    STMT pos = print_listing(group, static_cast<int>(have), list_y, line);

    // Option 1 keeps what is carried (or takes nothing); the rest take the others in group order.
    std::vector<std::string> options;
    const SwapItem* carried = find_item(group, static_cast<int>(have));
    options.push_back(carried != nullptr ? "Keep the " + std::string(carried->name) : "Take nothing");
    const std::vector<const SwapItem*> takes = offer_takes(group, have, options);
    STMT opt = menu(pos, options);
    STMT if (opt > 0) {
        STMT loc = exit_location;
        STMT if (have != 0) obj[have] = 0;
        STMT if (opt == 1 && have != 0) obj[have] = 1;
        STMT if (opt > 1) obj[takes[static_cast<std::size_t>(opt) - 2]->index] = 1;
    }
}

void swap_leave(std::span<const SwapItem> group, double list_y, SwapLine line, double exit_location,
                std::string_view leave_text, std::string_view extra_option) {
    GAME_PROCEDURE(source_main);
    double have = 0;
    game_procedure_.local("have", have);
    STMT have = carried_item(group);
    double pos = 0;
    game_procedure_.local("pos", pos);
    STMT pos = print_listing(group, static_cast<int>(have), list_y, line);

    std::vector<std::string> options{std::string(leave_text)};
    if (!extra_option.empty()) options.emplace_back(extra_option);
    // The extra option is chosen like a take but carries nothing: the caller handles it.
    const int first_take_option = extra_option.empty() ? 2 : 3;
    const std::vector<const SwapItem*> takes = offer_takes(group, have, options);
    STMT opt = menu(pos, options);
    STMT if (opt == 1) loc = exit_location;
    STMT if (opt >= first_take_option) {
        STMT if (have != 0) obj[have] = 0;
        STMT obj[takes[static_cast<std::size_t>(opt) - static_cast<std::size_t>(first_take_option)]->index] = 1;
    }
}

}  // namespace game
