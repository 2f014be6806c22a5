// Every text of both parts and the story screens must fit where it is
// printed and use only characters the font has.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

void expect_printable(const std::vector<Paragraph>& paragraphs, const std::vector<Line>& lines) {
    for (const Paragraph& p : paragraphs) EXPECT_TRUE(printable(p.text)) << p.name;
    for (const Line& l : lines) EXPECT_TRUE(printable(l.text)) << l.name;
}

void expect_paragraphs_fit(const std::vector<Paragraph>& paragraphs) {
    for (const Paragraph& p : paragraphs) {
        const int room = (p.limit - p.y) / 20 - 1;
        const int used = wrapped_lines(p.text, p.maxkern);
        if (room >= 1) {
            EXPECT_LE(used, room) << p.name << " needs " << used << " lines, has room for " << room;
        } else {
            // No line to spare: the one line must fit with a margin instead.
            EXPECT_EQ(used, 1) << p.name;
            EXPECT_LE(width(p.text), p.maxkern * 9 / 10) << p.name;
        }
    }
}

void expect_lines_on_screen(const std::vector<Line>& lines) {
    for (const Line& l : lines) EXPECT_LE(width(l.text), (640 - l.x) * 9 / 10) << l.name;
}

// Option labels and fixed lines live in the sources themselves: a stray
// typographic quote there would end the game with an array error.
void expect_plain_ascii_sources(std::initializer_list<const char*> names) {
    const std::filesystem::path root = MARLOWICK_SOURCE_DIR;
    for (const char* name : names) {
        std::ifstream in(root / name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        int line = 1;
        for (char c : bytes) {
            if (c == '\n') ++line;
            EXPECT_TRUE(c == '\n' || (c >= 32 && c <= 126)) << name << ":" << line;
        }
    }
}

constexpr int message_end = 10 + message_room;

// Where each paragraph is printed: P(text, y, limit[, maxkern]); M(text) is a
// message from y 10.
#define P(text, ...) Paragraph{#text, text, __VA_ARGS__}
#define M(text) Paragraph{#text, text, 10, message_end}
#define L(text, x) Line{#text, text, x}

const std::vector<Paragraph> paragraphs{
        P(one::a01, 10, 330), P(one::a03, 10, 90), P(one::a04, 10, 110), P(one::a04_owl, 110, 270, 400),
        P(one::a05_key, 10, 190), P(one::a05_no_key, 10, 150), M(one::a06_view), P(one::a07, 10, 150),
        P(one::a08, 180, 250), P(one::a09, 180, 250), P(one::a10, 180, 230),
        P(one::a10_rope, 170, 170 + message_room), P(one::a11_garlic, 10, 150), P(one::a11, 10, 110),
        P(one::a12, 40, 100), P(one::a13, 10, 90), M(one::a13_flee), P(one::a14, 10, 110), P(one::a15, 10, 110),
        M(one::a15_splash), M(one::a16_moat), P(one::a17_ashore, 10, 150), P(one::a17_afloat, 10, 150),
        M(one::a17_stuck), M(one::a17_launch), P(one::a18, 10, 110), M(one::a18_logs), P(one::a19, 10, 110),
        // The compass line below the lost-forest texts comes at y 260.
        P(one::a20, 180, 260), P(one::a21, 180, 260), P(one::a22, 180, 260), P(one::compass_ahead, 260, 300),
        P(one::a23, 10, 150), P(one::a24, 10, 150), M(one::a24_ring), P(one::a25, 10, 50), P(one::a26, 10, 110),
        P(one::a27_dark, 10, 90), P(one::a27_lit, 10, 130), P(one::a28_fall, 10, 110),
        P(one::a28_light, 110, 210), P(one::a29, 10, 110), P(one::a29_coin_and_bucket, 110, 170),
        P(one::a29_bucket, 110, 170), P(one::a29_coin, 110, 170), P(one::a30, 10, 110),
        P(one::a30_happy, 10, 110), M(one::a30_flee), P(one::a31, 10, 110), P(one::a32, 10, 130),
        M(one::a32_jump), M(one::a32_climb), P(one::a33_heading, 10, 30), P(one::a34_awake, 10, 70),
        M(one::a34_leap), M(one::a34_flask), P(one::a34_asleep, 10, 70), M(one::a36_chute), P(one::a37, 10, 90),
        M(one::a37_flee), P(one::a38_feather, 10, 170), P(one::a38, 10, 170), M(one::a38_take),
        M(one::a39_gust), M(one::a40_pass), P(one::a41, 10, 110), P(one::a42, 10, 90), P(one::a43, 180, 280),
        P(one::a43_ignore, 180, 180 + message_room), P(one::a43_flask, 180, 180 + message_room),
        P(one::a44, 10, 110), M(one::a44_shock), P(one::a45, 10, 170), P(one::a45_hot, 170, 210),
        P(one::a45_chilly, 170, 210), M(one::a45_sluggish), P(one::a46, 10, 110), M(one::a46_run),
        M(one::a46_shake), P(one::a47, 10, 110), M(one::a47_milk), M(one::a47_herring), P(one::a48, 10, 130),
        M(one::a48_bottle), M(one::a48_bucket), P(one::a49, 10, 110), M(one::a49_menace), M(one::a49_garlic),
        M(one::a49_water), P(one::a49_remains, 10, 110), P(one::a50, 10, 170), P(one::a51, 10, 110),
        M(one::a51_rattle), M(one::a51_locks), M(one::a51_number), P(one::a51_net, 10, 10 + message_room, 400),
        P(one::a51_cage, 50, 270, 400), P(one::a52, 10, 130),
        // Story screens: the continue prompt stands at y 460.
        P(story::intro_summons, 260, 460), P(story::intro_beam_opening, 260, 330),
        P(story::intro_beam, 330, 460), P(story::intro_warning, 260, 460), P(story::intro_forest, 260, 460),
        P(story::intro_accept, 10, 120), M(story::intro_landing), P(story::ending_call, 260, 300),
        P(story::ending_congratulations, 300, 460), P(story::ending_escape, 260, 460),

        // The intro: story screens from y 10; the cage and lock screens wrap at 440.
        M(two::intro_mission), M(two::intro_beam), M(two::intro_trap), M(two::intro_task),
        P(two::intro_cage, 10, message_end, 440), P(two::intro_open, 10, message_end, 440),
        P(two::b01, 10, 110, 440), P(two::b02, 10, 150, 440), P(two::b03, 50, 130), P(two::b04_locked, 10, 130),
        P(two::b04_open, 10, 130), M(two::b04_padlock), M(two::b04_cut), P(two::b05, 10, 50),
        P(two::b06, 10, 110), P(two::b07, 10, 90), P(two::b07_again, 10, 70), M(two::b07_ignore),
        M(two::b07_thread), P(two::b08, 10, 110), M(two::b09_fall),
        // The coffin cellar wraps at 600: the peg line from 70 leaves 60 for itself,
        // the heading stands at 90 or 130 with the list 20 below it.
        P(two::b10, 10, 70, 600), P(two::b10_stink, 70, 70 + message_room, 600), P(two::b10_pegs, 70, 130, 600),
        P(two::b10_heading, 90, 110, 600), P(two::b11_snoring, 10, 170, 600), P(two::b11_cape, 10, 170, 600),
        P(two::b11_empty, 10, 130, 600), P(two::b11_duck, 10, 90, 600),
        P(two::b11_duck_rings, 90, 90 + message_room, 600), P(two::b11_duck_flees, 90, 90 + message_room, 600),
        M(two::b11_trapdoor), P(two::b12_shut_thread, 10, 130), P(two::b12_shut, 10, 110),
        P(two::b12_open_thread, 10, 150), P(two::b12_open, 10, 130), P(two::b13, 10, 110), M(two::b13_lever),
        P(two::b14, 40, 160, 480), P(two::b15, 10, 110), P(two::b16, 10, 90), P(two::b17, 10, 70),
        P(two::b18, 10, 130), M(two::b18_look_down), P(two::b19_shut, 10, 90), P(two::b19_open, 10, 130),
        M(two::b19_book), M(two::b19_crack), M(two::b19_swing), M(two::b19_lamp), P(two::b20_map, 10, 130),
        P(two::b20, 10, 110), M(two::b20_explore), P(two::b21, 10, 130), M(two::b21_panel),
        P(two::b22_nailed, 10, 110), P(two::b22_open, 10, 70), M(two::b22_no_tool), M(two::b22_pliers),
        P(two::b23_ladder, 10, 130), P(two::b23, 10, 110), M(two::b23_nailed), P(two::b24_grate, 10, 90),
        P(two::b24_ladder, 10, 110),
        // The piano line stands at y 80.
        P(two::b25, 10, 80), M(two::b25_too_heavy), P(two::b26_key, 10, 150), P(two::b26, 10, 130),
        M(two::b26_jump), M(two::b26_fingers), M(two::b26_tongs), P(two::b27_hissing, 10, 190),
        P(two::b27, 10, 130), M(two::b27_snake), M(two::b28_trumpet), M(two::b28_cymbals), M(two::b28_flute),
        M(two::b28_no_basket), M(two::b28_basket), P(two::b29_egg, 10, 90), P(two::b29, 10, 70),
        P(two::b30, 10, 130), P(two::b30_bones, 10, 130), P(two::b31, 10, 110), P(two::b32, 10, 130),
        M(two::b32_glide), M(two::b32_crash), P(two::b33, 10, 110), M(two::b33_done), P(two::b34, 10, 150),
        M(two::b34_crash), M(two::b34_jump), M(two::b34_rope), P(two::b35, 10, 130), M(two::b35_stiff),
        M(two::b35_knife), M(two::b36_falling), M(two::b36_straw), P(two::b37, 10, 110),
        P(two::b37_map, 10, 110), M(two::b38), M(two::b39), P(two::b40, 10, 110), M(two::b40_locked),
        P(two::b41, 10, 130), M(two::b41_nothing), M(two::b41_fire), M(two::b41_hint), M(two::b41_hum),
        M(two::b41_stop), P(two::b42, 10, 110), P(two::b42_mirror, 10, 130), M(two::b42_blown_off),
        M(two::b43_explosion), M(two::b43_pudding),
};

const std::vector<Line> lines{
        L(one::a02_heading, 0), L(one::a25_heading, 0), L(one::a35_lines[0], 280), L(one::a35_lines[1], 280),
        L(one::a35_lines[2], 280), L(one::a35_lines[3], 280), L(one::a35_lines[4], 280),
        L(one::a35_lines[5], 280), L(one::a51_teaser, 0), L(story::title_line, 0), L(two::b25_piano, 0),
};

TEST(GameText, UsesOnlyCharactersTheFontHas) { expect_printable(paragraphs, lines); }

TEST(GameText, SourcesHoldPlainAscii) {
    expect_plain_ascii_sources({"game/part_one.cpp", "game/part_one_text.h", "game/story_text.h", "game/part_two.cpp",
                                "game/part_two_text.h", "game/maze.cpp"});
}

TEST(GameText, ParagraphsEndAboveWhatFollowsWithALineSpare) { expect_paragraphs_fit(paragraphs); }

TEST(GameText, SingleLinesStayOnScreen) { expect_lines_on_screen(lines); }

// The wrap model itself: a regression here would make the layout checks meaningless.
TEST(GameText, WrapModelBreaksLikeTheGame) {
    EXPECT_EQ(wrapped_lines("", 640), 0);
    EXPECT_EQ(wrapped_lines("short", 640), 1);
    // Five 12-pixel letters and a space per word: 80 pixels per word.
    const std::string eight_words = "aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa";
    EXPECT_EQ(width(eight_words), 8 * 60 + 7 * 20);
    EXPECT_EQ(wrapped_lines(eight_words, 640), 1);
    EXPECT_EQ(wrapped_lines(eight_words, 400), 2);
    // Reaching the limit exactly still breaks at the last space.
    EXPECT_EQ(wrapped_lines(eight_words, 620), 2);
}

}  // namespace
