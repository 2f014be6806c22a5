#include "game/autosave_format.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <sstream>
#include <vector>

#include "runtime/files/key_file.h"

namespace game::autosave {
namespace {

constexpr std::string_view header_section = "autosave";
constexpr std::string_view game_name = "Marlowick";
constexpr std::string_view format_version = "1";
// Written last: a file cut short anywhere lacks it or holds it cut.
constexpr std::string_view end_section = "end";
constexpr std::string_view end_value = "yes";
constexpr std::string_view no_items = "none";

constexpr std::array<std::string_view, 2> part_sections{"part1", "part2"};

struct PartRules {
    int last_location;
    std::vector<int> used_elements;             // obj elements the part ever sets
    std::vector<std::vector<int>> item_groups;  // at most one carried from each
};

std::vector<int> elements(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<int> result;
    for (const auto& [first, last] : ranges) {
        for (int i = first; i <= last; ++i) result.push_back(i);
    }
    return result;
}

// The swap groups of the two parts' locations, by obj element.
const PartRules& rules(int part) {
    static const std::array<PartRules, 2> table{{
        {52, elements({{1, 26}, {28, 29}}), {{1, 2, 3, 4}, {7, 8, 9}, {10, 11}, {17, 18, 19}, {22, 23}}},
        {43, elements({{1, 35}}), {{1, 2, 3}, {4, 5, 6}, {8, 9, 10}, {11, 12, 13}, {17, 18, 19}}},
    }};
    return table[part == 2 ? 1 : 0];
}

// A small whole number written plainly: digits only, no sign, no blanks.
std::optional<int> whole_number(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.front() == '-') return std::nullopt;
    return value;
}

std::string items_text(const PartState& state) {
    std::string text;
    for (int i = 0; i < obj_size; ++i) {
        if (!state.obj[static_cast<std::size_t>(i)]) continue;
        if (!text.empty()) text += ' ';
        text += std::to_string(i);
    }
    return text.empty() ? std::string(no_items) : text;
}

// "none" or element numbers separated by blanks, each once.
std::optional<std::array<bool, obj_size>> parse_items(std::string_view text, std::string& problem) {
    std::array<bool, obj_size> obj{};
    if (text == no_items) return obj;
    while (!text.empty()) {
        const auto blank = text.find(' ');
        const std::string_view word = text.substr(0, blank);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
        const auto index = whole_number(word);
        if (!index || *index >= obj_size) {
            problem = "item \"" + std::string(word.substr(0, 16)) + "\" out of range";
            return std::nullopt;
        }
        if (obj[static_cast<std::size_t>(*index)]) {
            problem = "item " + std::to_string(*index) + " listed twice";
            return std::nullopt;
        }
        obj[static_cast<std::size_t>(*index)] = true;
    }
    return obj;
}

std::optional<PartState> read_part(const rt::KeyFile& file, int part, std::string& problem) {
    const std::string_view section = part_sections[static_cast<std::size_t>(part - 1)];
    const std::string where = " in " + std::string(section);
    const auto loc = file.get(section, "loc");
    const auto mazeloc = file.get(section, "mazeloc");
    const auto obj = file.get(section, "obj");
    if (!loc || !mazeloc || !obj) {
        problem = "missing entries" + where;
        return std::nullopt;
    }
    const auto loc_number = whole_number(*loc);
    const auto mazeloc_number = whole_number(*mazeloc);
    if (!loc_number || !mazeloc_number) {
        problem = "unreadable position" + where;
        return std::nullopt;
    }
    const auto items = parse_items(*obj, problem);
    if (!items) {
        problem += where;
        return std::nullopt;
    }
    PartState state{*loc_number, *mazeloc_number, *items};
    problem = check_state(part, state);
    if (!problem.empty()) {
        problem += where;
        return std::nullopt;
    }
    return state;
}

}  // namespace

std::string check_state(int part, const PartState& state) {
    const PartRules& part_rules = rules(part);
    if (state.loc < 1 || state.loc > part_rules.last_location) return "unknown location " + std::to_string(state.loc);
    // The maze keeps its cell while the player is elsewhere; inside it the cell must be real.
    const bool in_maze = part == 2 && state.loc == 3;
    if (state.mazeloc < (in_maze ? 1 : 0) || state.mazeloc > 16) return "unknown maze cell " + std::to_string(state.mazeloc);
    for (int i = 0; i < obj_size; ++i) {
        const bool used = std::ranges::find(part_rules.used_elements, i) != part_rules.used_elements.end();
        if (state.obj[static_cast<std::size_t>(i)] && !used) return "item " + std::to_string(i) + " not in this part";
    }
    for (const auto& group : part_rules.item_groups) {
        const auto carried = std::ranges::count_if(group, [&](int i) { return state.obj[static_cast<std::size_t>(i)]; });
        if (carried > 1) return "two items of the group of item " + std::to_string(group.front()) + " carried";
    }
    return {};
}

std::string write_text(const SavedGame& game) {
    rt::KeyFile file;
    file.put(header_section, "game", game_name);
    file.put(header_section, "format", format_version);
    for (std::size_t p = 0; p < game.parts.size(); ++p) {
        if (!game.parts[p]) continue;
        const PartState& state = *game.parts[p];
        file.put(part_sections[p], "loc", std::to_string(state.loc));
        file.put(part_sections[p], "mazeloc", std::to_string(state.mazeloc));
        file.put(part_sections[p], "obj", items_text(state));
    }
    file.put(end_section, "complete", end_value);
    std::ostringstream out;
    file.write(out);
    return out.str();
}

ReadResult read_text(std::string_view text, bool part_one_finished) {
    std::istringstream in{std::string(text)};
    rt::KeyFile file;
    file.load(in);
    if (file.get(header_section, "game") != game_name || file.get(header_section, "format") != format_version) {
        return {std::nullopt, "not an autosave of this game"};
    }
    if (file.get(end_section, "complete") != end_value) return {std::nullopt, "cut short"};
    SavedGame game;
    for (int part = 1; part <= 2; ++part) {
        const std::string_view section = part_sections[static_cast<std::size_t>(part - 1)];
        if (!file.get(section, "loc") && !file.get(section, "mazeloc") && !file.get(section, "obj")) continue;
        std::string problem;
        auto state = read_part(file, part, problem);
        if (!state) return {std::nullopt, problem};
        game.parts[static_cast<std::size_t>(part - 1)] = *state;
    }
    if (game.empty()) return {std::nullopt, "no game in it"};
    if (game.parts[1] && !part_one_finished) return {std::nullopt, "Part Two saved but Part One not finished"};
    return {game, {}};
}

}  // namespace game::autosave
