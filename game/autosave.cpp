#include "game/autosave.h"

#include <array>
#include <cmath>
#include <string>

#include "game/autosave_format.h"
#include "game/globals.h"
#include "game/menu.h"
#include "game/options.h"
#include "game/part_one.h"
#include "game/procedure.h"
#include "game/text.h"
#include "runtime/core/error_log.h"
#include "runtime/core/rt_string.h"
#include "runtime/files/progress_files.h"
#include "runtime/gfx/sprites.h"

namespace game {
namespace {

using autosave::PartState;
using autosave::SavedGame;

// Longer than any autosave the game writes; anything bigger is not ours.
constexpr std::size_t largest_autosave = 16 * 1024;
constexpr double menu_position = 350;

// Part, location, items and flags, and the maze cell: everything a location
// reads that the player's choices change. `part` selects the file's section.
constexpr std::array<std::string_view, 4> saved_names{"part", "loc", "obj", "mazeloc"};
// Screen and menu state that every location rebuilds after a choice (opt,
// screendrawn, loaded, maxkern, hilite, hicol, hicoldiff, pressed), what
// start-up fixes once (the backdrop slots, kern, optwide, the device) and the
// player's volume, a preference rather than a place in the story.
constexpr std::array<std::string_view, 18> unsaved_names{
    "opt",   "screendrawn", "hicol",     "hicoldiff", "pressed",    "loaded", "maxkern", "mastervolume", "gfxdarkfall",
    "gfxfall", "gfxindark", "gfxsky",    "gfxdungeon", "info_Str",  "resx",   "kern",    "optwide",      "hilite",
};

struct Session {
    SavedGame saved;                    // what the file holds, as far as this run knows
    std::string written;                // its text; a choice that leaves it unchanged writes nothing
    bool write_failure_logged = false;  // a full disk is reported once, not after every choice
    bool skip_offer = false;            // --new-game: the first start does not ask
};

Session& session() {
    static Session instance;
    return instance;
}

bool marker_holds_code(std::string_view marker_file) {
    const auto bytes = rt::read_progress_file(std::string(marker_file), 1024);
    if (!bytes) return false;
    std::string_view line(*bytes);
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line == part_one_marker_code;
}

// Reads the file, setting a file that fails any check aside so it is looked at once.
void load(std::string_view marker_file) {
    Session& state = session();
    state.saved = {};
    state.written.clear();
    std::string problem = "too large or unreadable";
    if (const auto bytes = rt::read_progress_file(autosave_file, largest_autosave)) {
        auto result = autosave::read_text(*bytes, marker_holds_code(marker_file));
        if (result.game) {
            state.saved = *result.game;
            state.written = *bytes;
            return;
        }
        problem = result.problem;
    } else if (!rt::progress_file_exists(autosave_file)) {
        return;
    }
    const bool moved = rt::rename_progress_file(autosave_file, autosave_set_aside_file);
    rt::append_error_log("Autosave ignored (" + problem + ")" +
                         (moved ? ", kept as " + std::string(autosave_set_aside_file) : std::string()));
}

// Writes what the session holds, or removes the file when it holds nothing.
void store() {
    Session& state = session();
    if (state.saved.empty()) {
        rt::delete_progress_file(autosave_file);
        state.written.clear();
        return;
    }
    const std::string text = autosave::write_text(state.saved);
    if (text == state.written) return;
    const std::string failure = rt::write_progress_file(autosave_file, text);
    if (failure.empty()) {
        state.written = text;
    } else if (!state.write_failure_logged) {
        state.write_failure_logged = true;
        rt::append_error_log("Autosave not written: " + failure);
    }
}

std::size_t part_index() { return part == 2 ? 1 : 0; }
bool playing_a_part() { return part == 1 || part == 2; }

bool whole(double value) { return std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1000; }

std::optional<PartState> current_state() {
    if (!playing_a_part() || !whole(loc) || !whole(mazeloc)) return std::nullopt;
    PartState state{static_cast<int>(loc), static_cast<int>(mazeloc), {}};
    for (int i = 0; i < autosave::obj_size; ++i) state.obj[static_cast<std::size_t>(i)] = obj[i] != 0;
    if (!autosave::check_state(static_cast<int>(part), state).empty()) return std::nullopt;
    return state;
}

// Like the main loop after a choice: a fresh screen, the location's pictures
// loaded again and its screen drawn in full on the next pass.
void enter(const PartState& state) {
    loc = state.loc;
    mazeloc = state.mazeloc;
    for (int i = 0; i < autosave::obj_size; ++i) obj[i] = state.obj[static_cast<std::size_t>(i)] ? 1 : 0;
    loaded = 0;
    rt::clear_screen();
    screendrawn = 0;
    opt = 0;
    maxkern = 640;
}

// The part selection's backdrop and menu, once per frame until a choice.
double ask_to_continue() {
    GAME_PROCEDURE(source_main);
    double answer = 0;
    game_procedure_.local("answer", answer);
    STMT load_picture("tesh", 0);
    STMT load_picture("vx", 1);
    STMT screendrawn = 0;
    while (answer == 0) {
        STMT rt::draw_rect(0, 0, 640 / resx, 480 / resx, 48);
        STMT show_picture(1, -1, 25);
        STMT show_picture(0, -1, 100);
        STMT answer = choice_menu(menu_position, "Continue where you left off", "Start from the beginning", "", "", "");
        STMT hicol = hicol + hicoldiff;
        STMT if (hicol == 50 || hicol == 250) hicoldiff = -hicoldiff;
    }
    return answer;
}

}  // namespace

void autosave_begin_run() {
    session() = {};
    session().skip_offer = parse_options(std::string(rt::command_line().view())).new_game;
}

bool offer_continue(std::string_view marker_file) {
    Session& state = session();
    load(marker_file);
    if (state.skip_offer) {
        state.skip_offer = false;
        return false;
    }
    if (!playing_a_part() || !state.saved.parts[part_index()]) return false;
    // Starting from the beginning must leave the game as if nothing was asked.
    const double kept_opt = opt;
    const double kept_hicol = hicol;
    const double kept_hicoldiff = hicoldiff;
    if (ask_to_continue() == 1) {
        enter(*state.saved.parts[part_index()]);
        return true;
    }
    state.saved.parts[part_index()].reset();
    store();
    opt = kept_opt;
    hicol = kept_hicol;
    hicoldiff = kept_hicoldiff;
    screendrawn = 0;
    rt::clear_screen();
    return false;
}

void autosave_choice_made() {
    const auto state = current_state();
    if (!state) return;
    session().saved.parts[part_index()] = *state;
    store();
}

void autosave_part_finished() {
    if (!playing_a_part()) return;
    session().saved.parts[part_index()].reset();
    store();
}

std::span<const std::string_view> autosaved_globals() { return saved_names; }
std::span<const std::string_view> globals_not_autosaved() { return unsaved_names; }

}  // namespace game
