// Every Part One and story text must fit where it is printed and use only
// characters the font has.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "game/part_one_text.h"
#include "game/story_text.h"
#include "tests/game/text_fit.h"

namespace {

namespace txt = game::part_one_text;
namespace story = game::story;

using text_fit::Line;
using text_fit::message_room;
using text_fit::Paragraph;
using text_fit::wrapped_lines;

const std::vector<Paragraph>& paragraphs() {
    static const std::vector<Paragraph> all{
        {"a01", txt::a01, 10, 330},
        {"a03", txt::a03, 10, 90},
        {"a04", txt::a04, 10, 110},
        {"a04_owl", txt::a04_owl, 110, 270, 400},
        {"a05_key", txt::a05_key, 10, 190},
        {"a05_no_key", txt::a05_no_key, 10, 150},
        {"a06_view", txt::a06_view, 10, 10 + message_room},
        {"a07", txt::a07, 10, 150},
        {"a08", txt::a08, 180, 250},
        {"a09", txt::a09, 180, 250},
        {"a10", txt::a10, 180, 230},
        {"a10_rope", txt::a10_rope, 170, 170 + message_room},
        {"a11_garlic", txt::a11_garlic, 10, 150},
        {"a11", txt::a11, 10, 110},
        {"a12", txt::a12, 40, 100},
        {"a13", txt::a13, 10, 90},
        {"a13_flee", txt::a13_flee, 10, 10 + message_room},
        {"a14", txt::a14, 10, 110},
        {"a15", txt::a15, 10, 110},
        {"a15_splash", txt::a15_splash, 10, 10 + message_room},
        {"a16_moat", txt::a16_moat, 10, 10 + message_room},
        {"a17_ashore", txt::a17_ashore, 10, 150},
        {"a17_afloat", txt::a17_afloat, 10, 150},
        {"a17_stuck", txt::a17_stuck, 10, 10 + message_room},
        {"a17_launch", txt::a17_launch, 10, 10 + message_room},
        {"a18", txt::a18, 10, 110},
        {"a18_logs", txt::a18_logs, 10, 10 + message_room},
        {"a19", txt::a19, 10, 110},
        // The compass line below the lost-forest texts comes at y 260.
        {"a20", txt::a20, 180, 260},
        {"a21", txt::a21, 180, 260},
        {"a22", txt::a22, 180, 260},
        {"compass_ahead", txt::compass_ahead, 260, 300},
        {"a23", txt::a23, 10, 150},
        {"a24", txt::a24, 10, 150},
        {"a24_ring", txt::a24_ring, 10, 10 + message_room},
        {"a25", txt::a25, 10, 50},
        {"a26", txt::a26, 10, 110},
        {"a27_dark", txt::a27_dark, 10, 90},
        {"a27_lit", txt::a27_lit, 10, 130},
        {"a28_fall", txt::a28_fall, 10, 110},
        {"a28_light", txt::a28_light, 110, 210},
        {"a29", txt::a29, 10, 110},
        {"a29_coin_and_bucket", txt::a29_coin_and_bucket, 110, 170},
        {"a29_bucket", txt::a29_bucket, 110, 170},
        {"a29_coin", txt::a29_coin, 110, 170},
        {"a30", txt::a30, 10, 110},
        {"a30_happy", txt::a30_happy, 10, 110},
        {"a30_flee", txt::a30_flee, 10, 10 + message_room},
        {"a31", txt::a31, 10, 110},
        {"a32", txt::a32, 10, 130},
        {"a32_jump", txt::a32_jump, 10, 10 + message_room},
        {"a32_climb", txt::a32_climb, 10, 10 + message_room},
        {"a33_heading", txt::a33_heading, 10, 30},
        {"a34_awake", txt::a34_awake, 10, 70},
        {"a34_leap", txt::a34_leap, 10, 10 + message_room},
        {"a34_flask", txt::a34_flask, 10, 10 + message_room},
        {"a34_asleep", txt::a34_asleep, 10, 70},
        {"a36_chute", txt::a36_chute, 10, 10 + message_room},
        {"a37", txt::a37, 10, 90},
        {"a37_flee", txt::a37_flee, 10, 10 + message_room},
        {"a38_feather", txt::a38_feather, 10, 170},
        {"a38", txt::a38, 10, 170},
        {"a38_take", txt::a38_take, 10, 10 + message_room},
        {"a39_gust", txt::a39_gust, 10, 10 + message_room},
        {"a40_pass", txt::a40_pass, 10, 10 + message_room},
        {"a41", txt::a41, 10, 110},
        {"a42", txt::a42, 10, 90},
        {"a43", txt::a43, 180, 280},
        {"a43_ignore", txt::a43_ignore, 180, 180 + message_room},
        {"a43_flask", txt::a43_flask, 180, 180 + message_room},
        {"a44", txt::a44, 10, 110},
        {"a44_shock", txt::a44_shock, 10, 10 + message_room},
        {"a45", txt::a45, 10, 170},
        {"a45_hot", txt::a45_hot, 170, 210},
        {"a45_chilly", txt::a45_chilly, 170, 210},
        {"a45_sluggish", txt::a45_sluggish, 10, 10 + message_room},
        {"a46", txt::a46, 10, 110},
        {"a46_run", txt::a46_run, 10, 10 + message_room},
        {"a46_shake", txt::a46_shake, 10, 10 + message_room},
        {"a47", txt::a47, 10, 110},
        {"a47_milk", txt::a47_milk, 10, 10 + message_room},
        {"a47_herring", txt::a47_herring, 10, 10 + message_room},
        {"a48", txt::a48, 10, 130},
        {"a48_bottle", txt::a48_bottle, 10, 10 + message_room},
        {"a48_bucket", txt::a48_bucket, 10, 10 + message_room},
        {"a49", txt::a49, 10, 110},
        {"a49_menace", txt::a49_menace, 10, 10 + message_room},
        {"a49_garlic", txt::a49_garlic, 10, 10 + message_room},
        {"a49_water", txt::a49_water, 10, 10 + message_room},
        {"a49_remains", txt::a49_remains, 10, 110},
        {"a50", txt::a50, 10, 170},
        {"a51", txt::a51, 10, 110},
        {"a51_rattle", txt::a51_rattle, 10, 10 + message_room},
        {"a51_locks", txt::a51_locks, 10, 10 + message_room},
        {"a51_number", txt::a51_number, 10, 10 + message_room},
        {"a51_net", txt::a51_net, 10, 10 + message_room, 400},
        {"a51_cage", txt::a51_cage, 50, 270, 400},
        {"a52", txt::a52, 10, 130},
        // Story screens: the continue prompt stands at y 460.
        {"intro_summons", story::intro_summons, 260, 460},
        {"intro_beam_opening", story::intro_beam_opening, 260, 330},
        {"intro_beam", story::intro_beam, 330, 460},
        {"intro_warning", story::intro_warning, 260, 460},
        {"intro_forest", story::intro_forest, 260, 460},
        {"intro_accept", story::intro_accept, 10, 120},
        {"intro_landing", story::intro_landing, 10, 10 + message_room},
        {"ending_call", story::ending_call, 260, 300},
        {"ending_congratulations", story::ending_congratulations, 300, 460},
        {"ending_escape", story::ending_escape, 260, 460},
    };
    return all;
}

const std::vector<Line>& lines() {
    static const std::vector<Line> all{
        {"a02_heading", txt::a02_heading, 0},
        {"a25_heading", txt::a25_heading, 0},
        {"a35_0", txt::a35_lines[0], 280},
        {"a35_1", txt::a35_lines[1], 280},
        {"a35_2", txt::a35_lines[2], 280},
        {"a35_3", txt::a35_lines[3], 280},
        {"a35_4", txt::a35_lines[4], 280},
        {"a35_5", txt::a35_lines[5], 280},
        {"a51_teaser", txt::a51_teaser, 0},
        {"title_line", story::title_line, 0},
    };
    return all;
}

TEST(StoryText, UsesOnlyCharactersTheFontHas) { text_fit::expect_printable(paragraphs(), lines()); }

TEST(StoryText, SourcesHoldPlainAscii) {
    text_fit::expect_plain_ascii_sources({"game/part_one.cpp", "game/part_one_text.h", "game/story_text.h"});
}

TEST(StoryText, ParagraphsEndAboveWhatFollowsWithALineSpare) { text_fit::expect_paragraphs_fit(paragraphs()); }

TEST(StoryText, SingleLinesStayOnScreen) { text_fit::expect_lines_on_screen(lines()); }

// The wrap model itself: a regression here would make the layout checks meaningless.
TEST(StoryText, WrapModelBreaksLikeTheGame) {
    EXPECT_EQ(wrapped_lines("", 640), 0);
    EXPECT_EQ(wrapped_lines("short", 640), 1);
    // Five 12-pixel letters and a space per word: 80 pixels per word.
    const std::string eight_words = "aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa";
    EXPECT_EQ(text_fit::width(eight_words), 8 * 60 + 7 * 20);
    EXPECT_EQ(wrapped_lines(eight_words, 640), 1);
    EXPECT_EQ(wrapped_lines(eight_words, 400), 2);
    // Reaching the limit exactly still breaks at the last space.
    EXPECT_EQ(wrapped_lines(eight_words, 620), 2);
}

}  // namespace
