#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <span>
#include <tuple>
#include <utility>

#include "game/autosave.h"
#include "game/autosave_format.h"
#include "game/globals.h"
#include "game/menu.h"
#include "platform/services.h"
#include "runtime/core/debug_registry.h"
#include "tests/game/route_part_one.h"
#include "tests/game/route_part_two.h"
#include "tests/game/started_game.h"
#include "tests/support/game_driver.h"

namespace {

namespace fs = std::filesystem;
using game::autosave::PartState;
using game::autosave::read_text;
using game::autosave::SavedGame;
using testing_support::GameDriver;
using testing_support::MenuPlayer;
using testing_support::read_file;

constexpr double selection_menu_y = 350;  // the part selection and the continue menu
constexpr int intro_prompts = 6;
constexpr int kill_window_ms = 40;

SavedGame sample() {
    PartState one{12, 0, {}};
    one.obj[2] = one.obj[5] = one.obj[14] = true;
    PartState two{3, 7, {}};
    two.obj[1] = true;
    return {{one, two}};
}

std::string sample_text() { return game::autosave::write_text(sample()); }

std::string edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(Autosave, EveryRegisteredGlobalIsEitherSavedOrLeftOutOnPurpose) {
    std::set<std::string_view> sorted;
    for (auto list : {game::autosaved_globals(), game::globals_not_autosaved()}) {
        for (std::string_view name : list) EXPECT_TRUE(sorted.insert(name).second) << name << " listed twice";
    }
    std::set<std::string_view> registered;
    for (int i = 0; i < rt::variable_registry.count; ++i) registered.insert(rt::variable_registry.descriptors[i].name);
    EXPECT_EQ(sorted, registered) << "a new global must be saved or left out on purpose";
}

TEST(AutosaveFile, ReadsBackWhatWasWrittenAndRefusesEveryCut) {
    const std::string text = sample_text();
    const auto back = read_text(text, true);
    ASSERT_TRUE(back.game) << back.problem;
    EXPECT_EQ(*back.game, sample());
    // Only the final line end may go missing.
    for (std::size_t size = 0; size + 2 < text.size(); ++size) EXPECT_FALSE(read_text(text.substr(0, size), true).game) << size;
}

struct Damage {
    const char* what;
    std::string text;
    bool part_one_finished = true;
    friend void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.what; }
};

class AutosaveDamage : public testing::TestWithParam<Damage> {};

TEST_P(AutosaveDamage, IsRefusedWithAReason) {
    const auto result = read_text(GetParam().text, GetParam().part_one_finished);
    EXPECT_FALSE(result.game);
    EXPECT_FALSE(result.problem.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, AutosaveDamage,
    testing::Values(Damage{"empty", ""},
                    Damage{"foreign", edited(sample_text(), "game=Marlowick", "game=Other")},
                    Damage{"newer format", edited(sample_text(), "format=1", "format=2")},
                    Damage{"unknown location", edited(sample_text(), "loc=12", "loc=53")},
                    Damage{"no location", edited(sample_text(), "loc=12", "loc=0")},
                    Damage{"ending as location", edited(sample_text(), "loc=3\r", "loc=44\r")},
                    Damage{"item out of range", edited(sample_text(), "obj=2 5 14", "obj=2 5 50")},
                    Damage{"item not a number", edited(sample_text(), "obj=2 5 14", "obj=2 5 1e1")},
                    Damage{"item twice", edited(sample_text(), "obj=2 5 14", "obj=5 5")},
                    Damage{"two of a group", edited(sample_text(), "obj=2 5 14", "obj=2 3 14")},
                    Damage{"item of no use here", edited(sample_text(), "obj=2 5 14", "obj=27")},
                    Damage{"maze without a cell", edited(sample_text(), "mazeloc=7", "mazeloc=0")},
                    Damage{"maze cell beyond the grid", edited(sample_text(), "mazeloc=7", "mazeloc=17")},
                    Damage{"Part Two without Part One finished", sample_text(), false}));

fs::path autosave(const GameDriver& driver) { return driver.program_dir() / game::autosave_file; }
void give_marker(const GameDriver& driver) { std::ofstream(driver.program_dir() / "partone.vx") << "5190364\r\n"; }
void give_autosave(const GameDriver& driver, const std::string& text) {
    std::ofstream(autosave(driver), std::ios::binary) << text;
}

std::vector<double> items() {
    std::vector<double> obj;
    for (int i = 0; i < 50; ++i) obj.push_back(game::obj[i]);
    return obj;
}
const std::vector<double> no_items(50, 0.0);

// What the player sees at a location's menu, and the autosave on disk then.
struct Seen {
    double loc;
    std::vector<double> obj;
    frame_test::Screen picture;
    std::string autosave;
};

Seen seen_now(const GameDriver& driver) {
    return {game::loc, items(), frame_test::Screen::grab(), read_file(autosave(driver))};
}

// With MARLOWICK_SCREENSHOTS set to a folder, every answered menu of a route
// is saved there ("p1-017-a12.png"), for looking at the game as a player.
void save_step_screenshot(const GameDriver& driver, int part, std::size_t step, int loc) {
    const char* folder = std::getenv("MARLOWICK_SCREENSHOTS");
    if (folder == nullptr) return;
    char name[64];
    std::snprintf(name, sizeof name, "p%d-%03zu-%c%02d.png", part, step + 1, part == 1 ? 'a' : 'b', loc);
    driver.save_screenshot(fs::path(folder) / name);
}

// Back at the part selection after a part's end or Esc: nothing of the play is left.
void expect_fresh_start() {
    EXPECT_EQ(std::tie(game::part, game::loc, game::loaded), std::make_tuple(1.0, 1.0, 0.0));
    EXPECT_EQ(items(), no_items);
}

// Plays a route as a person would, checking the location at each menu and
// the continue prompts after each choice; at each location's first menu keeps
// what is seen there. The route ends back at the part selection with the
// marker written. Then, for each kept moment, puts its autosave back,
// continues, and goes back to the title with Esc: the continued game must show
// the same, and the restart must leave nothing of it.
void check_route_continues(std::span<const route::Step> steps, int part) {
    GameDriver driver;
    if (part == 2) give_marker(driver);
    std::vector<Seen> seen;
    std::set<int> visited;
    std::size_t next = 0;
    std::size_t checking = 0;
    double prompts_at_choice = 0;
    bool at_part_selection = part == 2;
    enum class Stage { part_selection, continue_menu, location } stage = Stage::part_selection;
    MenuPlayer player{[&](GameDriver& d) -> int {
        if (std::exchange(at_part_selection, false)) return part;
        if (next > 0 && next <= steps.size()) {
            EXPECT_EQ(game::prompts_shown() - prompts_at_choice, steps[next - 1].continues)
                << "messages after step " << next << " (loc " << steps[next - 1].loc << ")";
        }
        if (next < steps.size()) {
            EXPECT_EQ(game::loc, steps[next].loc) << "step " << next;
            if (game::loc != steps[next].loc) return 0;
            save_step_screenshot(d, part, next, steps[next].loc);
            if (visited.insert(steps[next].loc).second) seen.push_back(seen_now(d));
            prompts_at_choice = game::prompts_shown();
            return steps[next++].option;
        }
        if (next++ == steps.size()) {  // the route's end: back at the part selection
            EXPECT_EQ(game::menu_y(), selection_menu_y);
            EXPECT_EQ(read_file(d.program_dir() / "partone.vx"), "5190364\r\n");
            EXPECT_FALSE(fs::exists(autosave(d))) << "the part's end keeps its autosave";
            if (part == 1) expect_fresh_start();
        }
        switch (stage) {
        case Stage::part_selection:
            if (checking > 0) expect_fresh_start();  // after Esc
            while (checking < seen.size() && seen[checking].autosave.empty()) ++checking;
            if (checking >= seen.size()) return 0;
            give_autosave(d, seen[checking].autosave);
            stage = Stage::continue_menu;
            return part;
        case Stage::continue_menu:
            EXPECT_EQ(game::menu_y(), selection_menu_y);
            stage = Stage::location;
            return 1;
        case Stage::location:
            break;
        }
        const Seen& expected = seen[checking++];
        EXPECT_EQ(game::loc, expected.loc);
        EXPECT_EQ(items(), expected.obj);
        EXPECT_TRUE(frame_test::Screen::grab() == expected.picture) << "picture at loc " << expected.loc;
        stage = Stage::part_selection;
        d.press_key(1);  // Esc: back to the title
        return -1;
    }};
    const auto outcome = driver.run(std::ref(player));
    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
    EXPECT_GT(next, steps.size()) << "the route was not played to its end";
    EXPECT_EQ(checking, seen.size());
    EXPECT_GT(seen.size(), 30u);
}

TEST(AutosaveContinue, EveryLocationOfPartOneLooksTheSameWhenContinued) { check_route_continues(route::part_one, 1); }
TEST(AutosaveContinue, EveryLocationOfPartTwoLooksTheSameWhenContinued) { check_route_continues(route::part_two, 2); }

std::string part_one_only() {
    SavedGame game = sample();
    game.parts[1].reset();
    return game::autosave::write_text(game);
}

// Runs to the first menu and leaves it unanswered.
double prompts_before_first_menu(GameDriver& driver, const std::string& command_line = "") {
    const double before = game::prompts_shown();
    MenuPlayer player{[](GameDriver&) { return 0; }};
    EXPECT_FALSE(driver.run(std::ref(player), command_line).program_ended);
    return game::prompts_shown() - before;
}

int count(const std::string& text, const std::string& part) {
    int found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

TEST(AutosaveContinue, ADamagedFileOrAPartTwoWithoutMarkerIsSetAsideAndTheGameStartsAsUsual) {
    for (const std::string& text : {edited(part_one_only(), "loc=12", "loc=99"), sample_text()}) {
        GameDriver driver;
        give_autosave(driver, text);
        EXPECT_EQ(prompts_before_first_menu(driver), intro_prompts);  // no question, straight into the intro
        EXPECT_EQ(game::part, 1);
        EXPECT_EQ(game::loc, 1);
        EXPECT_FALSE(fs::exists(autosave(driver)));
        EXPECT_EQ(read_file(driver.program_dir() / game::autosave_set_aside_file), text);
        EXPECT_EQ(count(driver.error_log(), "Autosave ignored"), 1) << driver.error_log();
    }
}

TEST(AutosaveContinue, StartingFromTheBeginningDropsTheAutosaveAndPlaysTheIntro) {
    GameDriver driver;
    give_autosave(driver, part_one_only());
    const double before = game::prompts_shown();
    int menus = 0;
    MenuPlayer player{[&](GameDriver& d) {
        if (menus++ > 0) return 0;
        EXPECT_EQ(game::menu_y(), selection_menu_y);
        EXPECT_TRUE(fs::exists(autosave(d)));
        return 2;
    }};
    driver.run(std::ref(player));
    EXPECT_EQ(game::prompts_shown() - before, intro_prompts);
    EXPECT_EQ(game::loc, 1);
    EXPECT_EQ(items(), no_items);
    EXPECT_FALSE(fs::exists(autosave(driver)));
}

TEST(AutosaveContinue, NewGameDoesNotAskAndKeepsTheFileUntilTheFirstChoice) {
    GameDriver driver;
    const std::string text = part_one_only();
    give_autosave(driver, text);
    int menus = 0;
    MenuPlayer player{[&](GameDriver& d) {
        if (menus++ > 0) return 0;
        EXPECT_EQ(read_file(autosave(d)), text);
        return route::part_one[0].option;
    }};
    driver.run(std::ref(player), "--new-game");
    EXPECT_EQ(menus, 2);
    const auto saved = read_text(read_file(autosave(driver)), false);
    ASSERT_TRUE(saved.game && saved.game->parts[0]);
    EXPECT_EQ(saved.game->parts[0]->loc, route::part_one[1].loc);
}

TEST(AutosaveContinue, AFailedWriteIsLoggedOnceAndPlayGoesOn) {
    GameDriver driver;
    std::size_t step = 0;
    MenuPlayer player{[&](GameDriver& d) {
        fs::create_directories(autosave(d) / "in the way");
        return step < 4 ? route::part_one[step++].option : 0;
    }};
    driver.run(std::ref(player));
    EXPECT_EQ(game::loc, route::part_one[4].loc);
    EXPECT_EQ(count(driver.error_log(), "Autosave not written"), 1) << driver.error_log();
}

// What autosave_kills.sh starts and kills: the main loop's choice step, run
// without pause over a scripted walk through Part One (a move, an item taken,
// a flag set), so every pass writes the autosave anew.
TEST(AutosaveSoak, DISABLED_SavesAfterEveryChoiceUntilKilled) {
    const char* dir = std::getenv("MARLOWICK_SOAK_DIR");
    if (dir == nullptr) GTEST_SKIP();
    testing_support::TempDir temp;
    testing_support::install_test_services(temp);
    platform::services().system =
        std::make_unique<platform::doubles::TestSystem>(temp.slash_path(), std::string(dir) + "/marlowick");
    game::obj.redim(50);
    game::part = 1;
    std::ofstream(fs::path(dir) / "saving").put('1');
    for (int pass = 0;; ++pass) {
        game::loc = 1 + pass % 52;
        game::obj[1 + pass % 4] = 0;
        game::obj[1 + (pass + 1) % 4] = 1;
        game::obj[15] = pass % 3 == 0;
        game::autosave_choice_made();
    }
}

TEST(AutosaveContinue, KillsAtRandomMomentsLeaveTheOldOrTheNewFile) {
    testing_support::TempDir dir;
    const fs::path script = fs::path(MARLOWICK_SOURCE_DIR) / "tests/game/autosave_kills.sh";
    const std::string command = "bash '" + script.string() + "' '" + fs::read_symlink("/proc/self/exe").string() +
                                "' '" + dir.path().string() + "' 200 " + std::to_string(kill_window_ms);
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::set<std::string> states;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path().filename().string().rfind("kill-", 0) != 0) continue;
        const std::string text = read_file(entry.path());
        EXPECT_TRUE(read_text(text, false).game) << entry.path().filename() << ":\n" << text;
        states.insert(text);
    }
    EXPECT_GE(states.size(), 5u) << "the kills should land at many moments of the play";
}

}  // namespace
