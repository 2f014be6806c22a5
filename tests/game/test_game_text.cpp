// Every text of both parts and the story screens must fit where it is
// printed and use only characters the font has.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "game/part_one_text.h"
#include "game/part_two_text.h"
#include "game/story_text.h"

namespace {

namespace one = game::part_one_text;
namespace two = game::part_two_text;
namespace story = game::story;


// Estimated advance of a character in layout pixels; the space is always 20.
int advance(char c) {
    const std::string_view narrow = "ijl.,:;'!|";
    const std::string_view medium = "frtI()[]-\"/";
    if (c == ' ') return 20;
    if (narrow.find(c) != std::string_view::npos) return 7;
    if (medium.find(c) != std::string_view::npos) return 9;
    if (c == 'M' || c == 'W') return 19;
    if (c == 'm' || c == 'w') return 17;
    if (c >= 'A' && c <= 'Z') return 15;
    return 12;
}

int width(std::string_view text) {
    int sum = 0;
    for (char c : text) sum += advance(c);
    return sum;
}

// Lines the game's word wrap makes of a paragraph: it breaks at the last
// space reached while the running width was still below the limit.
int wrapped_lines(std::string_view text, int maxkern) {
    int lines = 0;
    while (!text.empty()) {
        std::size_t lastspace = 0;
        std::size_t testch = 0;
        int run = 0;
        while (run < maxkern && testch < text.size()) {
            if (text[testch] == ' ') lastspace = testch;
            run += advance(text[testch]);
            ++testch;
        }
        ++lines;
        if (testch == text.size() && run < maxkern) break;
        text = lastspace + 1 < text.size() ? text.substr(lastspace + 1) : std::string_view{};
    }
    return lines;
}

// A paragraph printed from y and the y of whatever comes next below it.
struct Paragraph {
    std::string_view name;
    std::string_view text;
    int y;
    int limit;
    int maxkern = 640;
};

// Messages get at most six lines, so the picture stays visible.
constexpr int message_room = 140;

// One-line texts printed with print_text from x, which never wraps.
struct Line {
    std::string_view name;
    std::string_view text;
    int x;
};

bool printable(std::string_view text) {
    for (char c : text) {
        if (c < 32 || c > 126) return false;
    }
    return true;
}

constexpr int message_end = 10 + message_room;

// Where each paragraph is printed: P(text, y, limit[, maxkern]); M(text) is a
// message from y 10.
#define P(text, ...) Paragraph{#text, text, __VA_ARGS__}
#define T(text, ...) Paragraph{#text, text, 10, __VA_ARGS__}  // from the top
#define M(text) Paragraph{#text, text, 10, message_end}
#define L(text, x) Line{#text, text, x}

using namespace game::part_one_text;
const std::vector<Paragraph> paragraphs{
        T(a01, 330), T(a03, 90), T(a04, 110), P(a04_owl, 110, 270, 400), T(a05_key, 190), T(a05_no_key, 150),
        M(a06_view), T(a07, 150), P(a08, 180, 250), P(a09, 180, 250), P(a10, 180, 230),
        P(a10_rope, 170, 170 + message_room), T(a11_garlic, 150), T(a11, 110), P(a12, 40, 100), T(a13, 90),
        M(a13_flee), T(a14, 110), T(a15, 110), M(a15_splash), M(a16_moat), T(a17_ashore, 150), T(a17_afloat, 150),
        M(a17_stuck), M(a17_launch), T(a18, 110), M(a18_logs), T(a19, 110),
        // The compass line below the lost-forest texts comes at y 260.
        P(a20, 180, 260), P(a21, 180, 260), P(a22, 180, 260), P(compass_ahead, 260, 300), T(a23, 150), T(a24, 150),
        M(a24_ring), T(a25, 50), T(a26, 110), T(a27_dark, 90), T(a27_lit, 130), T(a28_fall, 110),
        P(a28_light, 110, 210), T(a29, 110), P(a29_coin_and_bucket, 110, 170), P(a29_bucket, 110, 170),
        P(a29_coin, 110, 170), T(a30, 110), T(a30_happy, 110), M(a30_flee), T(a31, 110), T(a32, 130), M(a32_jump),
        M(a32_climb), T(a33_heading, 30), T(a34_awake, 70), M(a34_leap), M(a34_flask), T(a34_asleep, 70),
        M(a36_chute), T(a37, 90), M(a37_flee), T(a38_feather, 170), T(a38, 170), M(a38_take), M(a39_gust),
        M(a40_pass), T(a41, 110), T(a42, 90), P(a43, 180, 280), P(a43_ignore, 180, 180 + message_room),
        P(a43_flask, 180, 180 + message_room), T(a44, 110), M(a44_shock), T(a45, 170), P(a45_hot, 170, 210),
        P(a45_chilly, 170, 210), M(a45_sluggish), T(a46, 110), M(a46_run), M(a46_shake), T(a47, 110), M(a47_milk),
        M(a47_herring), T(a48, 130), M(a48_bottle), M(a48_bucket), T(a49, 110), M(a49_menace), M(a49_garlic),
        M(a49_water), T(a49_remains, 110), T(a50, 170), T(a51, 110), M(a51_rattle), M(a51_locks), M(a51_number),
        T(a51_net, 10 + message_room, 400), P(a51_cage, 50, 270, 400), T(a52, 130),
        // Story screens: the continue prompt stands at y 460.
        P(story::intro_summons, 260, 460), P(story::intro_beam_opening, 260, 330), P(story::intro_beam, 330, 460),
        P(story::intro_warning, 260, 460), P(story::intro_forest, 260, 460), T(story::intro_accept, 120),
        M(story::intro_landing), P(story::ending_call, 260, 300), P(story::ending_congratulations, 300, 460),
        P(story::ending_escape, 260, 460),
        // The intro: story screens from y 10; the cage and lock screens wrap at 440.
        M(two::intro_mission), M(two::intro_beam), M(two::intro_trap), M(two::intro_task),
        T(two::intro_cage, message_end, 440), T(two::intro_open, message_end, 440), T(two::b01, 110, 440),
        T(two::b02, 150, 440), P(two::b03, 50, 130), T(two::b04_locked, 130), T(two::b04_open, 130),
        M(two::b04_padlock), M(two::b04_cut), T(two::b05, 50), T(two::b06, 110), T(two::b07, 90),
        T(two::b07_again, 70), M(two::b07_ignore), M(two::b07_thread), T(two::b08, 110), M(two::b09_fall),
        // The coffin cellar wraps at 600: the peg line from 70 leaves 60 for itself,
        // the heading stands at 90 or 130 with the list 20 below it.
        T(two::b10, 70, 600), P(two::b10_stink, 70, 70 + message_room, 600), P(two::b10_pegs, 70, 130, 600),
        P(two::b10_heading, 90, 110, 600), T(two::b11_snoring, 170, 600), T(two::b11_cape, 170, 600),
        T(two::b11_empty, 130, 600), T(two::b11_duck, 90, 600), P(two::b11_duck_rings, 90, 90 + message_room, 600),
        P(two::b11_duck_flees, 90, 90 + message_room, 600), M(two::b11_trapdoor), T(two::b12_shut_thread, 130),
        T(two::b12_shut, 110), T(two::b12_open_thread, 150), T(two::b12_open, 130), T(two::b13, 110),
        M(two::b13_lever), P(two::b14, 40, 160, 480), T(two::b15, 110), T(two::b16, 90), T(two::b17, 70),
        T(two::b18, 130), M(two::b18_look_down), T(two::b19_shut, 90), T(two::b19_open, 130), M(two::b19_book),
        M(two::b19_crack), M(two::b19_swing), M(two::b19_lamp), T(two::b20_map, 130), T(two::b20, 110),
        M(two::b20_explore), T(two::b21, 130), M(two::b21_panel), T(two::b22_nailed, 110), T(two::b22_open, 70),
        M(two::b22_no_tool), M(two::b22_pliers), T(two::b23_ladder, 130), T(two::b23, 110), M(two::b23_nailed),
        T(two::b24_grate, 90), T(two::b24_ladder, 110),
        // The piano line stands at y 80.
        T(two::b25, 80), M(two::b25_too_heavy), T(two::b26_key, 150), T(two::b26, 130), M(two::b26_jump),
        M(two::b26_fingers), M(two::b26_tongs), T(two::b27_hissing, 190), T(two::b27, 130), M(two::b27_snake),
        M(two::b28_trumpet), M(two::b28_cymbals), M(two::b28_flute), M(two::b28_no_basket), M(two::b28_basket),
        T(two::b29_egg, 90), T(two::b29, 70), T(two::b30, 130), T(two::b30_bones, 130), T(two::b31, 110),
        T(two::b32, 130), M(two::b32_glide), M(two::b32_crash), T(two::b33, 110), M(two::b33_done), T(two::b34, 150),
        M(two::b34_crash), M(two::b34_jump), M(two::b34_rope), T(two::b35, 130), M(two::b35_stiff), M(two::b35_knife),
        M(two::b36_falling), M(two::b36_straw), T(two::b37, 110), T(two::b37_map, 110), M(two::b38), M(two::b39),
        T(two::b40, 110), M(two::b40_locked), T(two::b41, 130), M(two::b41_nothing), M(two::b41_fire),
        M(two::b41_hint), M(two::b41_hum), M(two::b41_stop), T(two::b42, 110), T(two::b42_mirror, 130),
        M(two::b42_blown_off), M(two::b43_explosion), M(two::b43_pudding),
};

const std::vector<Line> lines{
        L(one::a02_heading, 0), L(one::a25_heading, 0), L(one::a35_lines[0], 280), L(one::a35_lines[1], 280),
        L(one::a35_lines[2], 280), L(one::a35_lines[3], 280), L(one::a35_lines[4], 280),
        L(one::a35_lines[5], 280), L(one::a51_teaser, 0), L(story::title_line, 0), L(two::b25_piano, 0),
};

TEST(GameText, UsesOnlyCharactersTheFontHas) {
    for (const Paragraph& p : paragraphs) EXPECT_TRUE(printable(p.text)) << p.name;
    for (const Line& l : lines) EXPECT_TRUE(printable(l.text)) << l.name;
}

TEST(GameText, ParagraphsEndAboveWhatFollowsWithALineSpareAndLinesStayOnScreen) {
    for (const Paragraph& p : paragraphs) {
        const int room = (p.limit - p.y) / 20 - 1;
        const int used = wrapped_lines(p.text, p.maxkern);
        if (room >= 1) {
            EXPECT_LE(used, room) << p.name << " needs " << used << " lines, has room for " << room;
        } else {  // no line to spare: the one line must fit with a margin instead
            EXPECT_EQ(used, 1) << p.name;
            EXPECT_LE(width(p.text), p.maxkern * 9 / 10) << p.name;
        }
    }
    for (const Line& l : lines) EXPECT_LE(width(l.text), (640 - l.x) * 9 / 10) << l.name;
}

}  // namespace
