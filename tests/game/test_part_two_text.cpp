// Every Part Two text must fit where it is printed and use only characters
// the font has.
#include <gtest/gtest.h>

#include <vector>

#include "game/part_two_text.h"
#include "tests/game/text_fit.h"

namespace {

namespace txt = game::part_two_text;

using text_fit::Line;
using text_fit::message_room;
using text_fit::Paragraph;

constexpr int message_end = 10 + message_room;

const std::vector<Paragraph>& paragraphs() {
    static const std::vector<Paragraph> all{
        // The intro: story screens from y 10; the cage and lock screens wrap at 440.
        {"intro_mission", txt::intro_mission, 10, message_end},
        {"intro_beam", txt::intro_beam, 10, message_end},
        {"intro_trap", txt::intro_trap, 10, message_end},
        {"intro_task", txt::intro_task, 10, message_end},
        {"intro_cage", txt::intro_cage, 10, message_end, 440},
        {"intro_open", txt::intro_open, 10, message_end, 440},
        {"b01", txt::b01, 10, 110, 440},
        {"b02", txt::b02, 10, 150, 440},
        {"b03", txt::b03, 50, 130},
        {"b04_locked", txt::b04_locked, 10, 130},
        {"b04_open", txt::b04_open, 10, 130},
        {"b04_padlock", txt::b04_padlock, 10, message_end},
        {"b04_cut", txt::b04_cut, 10, message_end},
        {"b05", txt::b05, 10, 50},
        {"b06", txt::b06, 10, 110},
        {"b07", txt::b07, 10, 90},
        {"b07_again", txt::b07_again, 10, 70},
        {"b07_ignore", txt::b07_ignore, 10, message_end},
        {"b07_thread", txt::b07_thread, 10, message_end},
        {"b08", txt::b08, 10, 110},
        {"b09_fall", txt::b09_fall, 10, message_end},
        // The coffin cellar wraps at 600: the peg line from 70 leaves 60 for itself,
        // the heading stands at 90 or 130 with the list 20 below it.
        {"b10", txt::b10, 10, 70, 600},
        {"b10_stink", txt::b10_stink, 70, 70 + message_room, 600},
        {"b10_pegs", txt::b10_pegs, 70, 130, 600},
        {"b10_heading", txt::b10_heading, 90, 110, 600},
        {"b11_snoring", txt::b11_snoring, 10, 170, 600},
        {"b11_cape", txt::b11_cape, 10, 170, 600},
        {"b11_empty", txt::b11_empty, 10, 130, 600},
        {"b11_duck", txt::b11_duck, 10, 90, 600},
        {"b11_duck_rings", txt::b11_duck_rings, 90, 90 + message_room, 600},
        {"b11_duck_flees", txt::b11_duck_flees, 90, 90 + message_room, 600},
        {"b11_trapdoor", txt::b11_trapdoor, 10, message_end},
        {"b12_shut_thread", txt::b12_shut_thread, 10, 130},
        {"b12_shut", txt::b12_shut, 10, 110},
        {"b12_open_thread", txt::b12_open_thread, 10, 150},
        {"b12_open", txt::b12_open, 10, 130},
        {"b13", txt::b13, 10, 110},
        {"b13_lever", txt::b13_lever, 10, message_end},
        {"b14", txt::b14, 40, 160, 480},
        {"b15", txt::b15, 10, 110},
        {"b16", txt::b16, 10, 90},
        {"b17", txt::b17, 10, 70},
        {"b18", txt::b18, 10, 130},
        {"b18_look_down", txt::b18_look_down, 10, message_end},
        {"b19_shut", txt::b19_shut, 10, 90},
        {"b19_open", txt::b19_open, 10, 130},
        {"b19_book", txt::b19_book, 10, message_end},
        {"b19_crack", txt::b19_crack, 10, message_end},
        {"b19_swing", txt::b19_swing, 10, message_end},
        {"b19_lamp", txt::b19_lamp, 10, message_end},
        {"b20_map", txt::b20_map, 10, 130},
        {"b20", txt::b20, 10, 110},
        {"b20_explore", txt::b20_explore, 10, message_end},
        {"b21", txt::b21, 10, 130},
        {"b21_panel", txt::b21_panel, 10, message_end},
        {"b22_nailed", txt::b22_nailed, 10, 110},
        {"b22_open", txt::b22_open, 10, 70},
        {"b22_no_tool", txt::b22_no_tool, 10, message_end},
        {"b22_pliers", txt::b22_pliers, 10, message_end},
        {"b23_ladder", txt::b23_ladder, 10, 130},
        {"b23", txt::b23, 10, 110},
        {"b23_nailed", txt::b23_nailed, 10, message_end},
        {"b24_grate", txt::b24_grate, 10, 90},
        {"b24_ladder", txt::b24_ladder, 10, 110},
        // The piano line stands at y 80.
        {"b25", txt::b25, 10, 80},
        {"b25_too_heavy", txt::b25_too_heavy, 10, message_end},
        {"b26_key", txt::b26_key, 10, 150},
        {"b26", txt::b26, 10, 130},
        {"b26_jump", txt::b26_jump, 10, message_end},
        {"b26_fingers", txt::b26_fingers, 10, message_end},
        {"b26_tongs", txt::b26_tongs, 10, message_end},
        {"b27_hissing", txt::b27_hissing, 10, 190},
        {"b27", txt::b27, 10, 130},
        {"b27_snake", txt::b27_snake, 10, message_end},
        {"b28_trumpet", txt::b28_trumpet, 10, message_end},
        {"b28_cymbals", txt::b28_cymbals, 10, message_end},
        {"b28_flute", txt::b28_flute, 10, message_end},
        {"b28_no_basket", txt::b28_no_basket, 10, message_end},
        {"b28_basket", txt::b28_basket, 10, message_end},
        {"b29_egg", txt::b29_egg, 10, 90},
        {"b29", txt::b29, 10, 70},
        {"b30", txt::b30, 10, 130},
        {"b30_bones", txt::b30_bones, 10, 130},
        {"b31", txt::b31, 10, 110},
        {"b32", txt::b32, 10, 130},
        {"b32_glide", txt::b32_glide, 10, message_end},
        {"b32_crash", txt::b32_crash, 10, message_end},
        {"b33", txt::b33, 10, 110},
        {"b33_done", txt::b33_done, 10, message_end},
        {"b34", txt::b34, 10, 150},
        {"b34_crash", txt::b34_crash, 10, message_end},
        {"b34_jump", txt::b34_jump, 10, message_end},
        {"b34_rope", txt::b34_rope, 10, message_end},
        {"b35", txt::b35, 10, 130},
        {"b35_stiff", txt::b35_stiff, 10, message_end},
        {"b35_knife", txt::b35_knife, 10, message_end},
        {"b36_falling", txt::b36_falling, 10, message_end},
        {"b36_straw", txt::b36_straw, 10, message_end},
        {"b37", txt::b37, 10, 110},
        {"b37_map", txt::b37_map, 10, 110},
        {"b38", txt::b38, 10, message_end},
        {"b39", txt::b39, 10, message_end},
        {"b40", txt::b40, 10, 110},
        {"b40_locked", txt::b40_locked, 10, message_end},
        {"b41", txt::b41, 10, 130},
        {"b41_nothing", txt::b41_nothing, 10, message_end},
        {"b41_fire", txt::b41_fire, 10, message_end},
        {"b41_hint", txt::b41_hint, 10, message_end},
        {"b41_hum", txt::b41_hum, 10, message_end},
        {"b41_stop", txt::b41_stop, 10, message_end},
        {"b42", txt::b42, 10, 110},
        {"b42_mirror", txt::b42_mirror, 10, 130},
        {"b42_blown_off", txt::b42_blown_off, 10, message_end},
        {"b43_explosion", txt::b43_explosion, 10, message_end},
        {"b43_pudding", txt::b43_pudding, 10, message_end},
    };
    return all;
}

const std::vector<Line>& lines() {
    static const std::vector<Line> all{
        {"b25_piano", txt::b25_piano, 0},
    };
    return all;
}

TEST(PartTwoText, UsesOnlyCharactersTheFontHas) { text_fit::expect_printable(paragraphs(), lines()); }

TEST(PartTwoText, SourcesHoldPlainAscii) {
    text_fit::expect_plain_ascii_sources({"game/part_two.cpp", "game/part_two_text.h", "game/maze.cpp"});
}

TEST(PartTwoText, ParagraphsEndAboveWhatFollowsWithALineSpare) { text_fit::expect_paragraphs_fit(paragraphs()); }

TEST(PartTwoText, SingleLinesStayOnScreen) { text_fit::expect_lines_on_screen(lines()); }

}  // namespace
