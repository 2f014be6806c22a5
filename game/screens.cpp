#include "game/screens.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "game/globals.h"
#include "game/menu.h"
#include "game/procedure.h"
#include "game/story_text.h"
#include "game/text.h"
#include "runtime/audio/music.h"
#include "runtime/audio/sound.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/run_errors.h"
#include "runtime/gfx/sprites.h"
#include "runtime/input/input.h"

namespace game {
namespace {

// The words of the screens that are pictures.
constexpr std::string_view compo_words =
    "Marlowick, a compact 2D game runtime, presents an illustrated adventure in two parts.";
constexpr std::string_view compo_prompt = "Click to Begin";
constexpr std::string_view title_words = "Marlowick: V.X. and the Vexmoor Beam";

// Presents frames until the device's continue input is down, then until it is up.
void press_and_release() {
    while (continue_prompt_input() == 0) rt::present_frame();
    while (continue_prompt_input() > 0) rt::present_frame();
}

// One story screen: a picture, paragraphs wrapped from their y, the prompt.
void story_screen(double slot, std::initializer_list<std::pair<std::string_view, double>> paragraphs) {
    show_picture(slot, 0, 0);
    for (const auto& [text, y] : paragraphs) print_wrapped(text, y);
    wait_continue();
}

}  // namespace

double compo_screen() {
    GAME_PROCEDURE(source_main);
    double done = 0;
    game_procedure_.local("done", done);
    STMT load_picture("compo", 0);
    STMT rt::draw_sprite_stretched(0, 0, 0, 640 / resx, 480 / resx);
    STMT rt::keep_screen_as_background();
    tell(compo_words);
    STMT if (!continued_in_words(compo_prompt)) press_and_release();
    STMT rt::clear_screen();
    return 0;
}

double logo_screen() {
    GAME_PROCEDURE(source_main);
    double alph = 0;
    game_procedure_.local("alph", alph);
    STMT load_picture("brinco", 0);
    STMT rt::load_sound("aud/thames.wav", 0, 1);
    STMT rt::play_sound(0, 0, 1);
    STMT alph = 0.01;
    do {
        STMT rt::set_alpha_mode(alph);
        STMT show_picture(0, 0, 0);
        STMT rt::present_frame();
        STMT alph = alph + 0.01;
    } while (alph <= 1);
    STMT rt::sleep_ms(2000);
    STMT alph = 1;
    do {
        STMT rt::set_alpha_mode(alph);
        STMT show_picture(0, 0, 0);
        STMT rt::present_frame();
        STMT alph = alph - 0.01;
    } while (alph >= 0.01);
    STMT rt::set_alpha_mode(0);
    return 0;
}

double title_screen() {
    GAME_PROCEDURE(source_main);
    double col = 0;
    double coldif = 0;
    double loop = 0;
    double done = 0;
    game_procedure_.local("col", col);
    game_procedure_.local("coldif", coldif);
    game_procedure_.local("loop", loop);
    game_procedure_.local("done", done);
    STMT rt::play_music("aud/title.mp3");
    STMT rt::set_music_volume(mastervolume);
    STMT load_picture("biglogo", 0);
    STMT col = 192;
    STMT coldif = -32;
    for (loop = 1; loop <= 300; loop += 1) {
        const double green = static_cast<double>(static_cast<long long>(col));
        STMT rt::draw_rect(0, 0, 640 / resx, 480 / resx, 192 + 256 * green);
        STMT show_picture(0, 112, 24);
        STMT rt::present_frame();
        STMT col = col + coldif;
        STMT if (col > 192 || col < 64) coldif = -coldif;
    }
    STMT load_picture("vxtitle", 0);
    STMT show_picture(0, 0, 0);
    tell(title_words);
    {
        const QuietWords hints_for_the_eyes;
        STMT if (info_Str == "DESKTOP") print_text("Set Volume with 0 (silent) > 5 (loud)", -1, 440);
        STMT print_text(continue_prompt(), -1, 460);
    }
    STMT rt::keep_screen_as_background();
    STMT done = continued_in_words(continue_prompt()) ? -1 : 0;
    while (done == 0) {
        STMT rt::present_frame();
        STMT volume_keys();
        STMT if (escape_held() != 0) rt::end_program();
        STMT done = continue_prompt_input();
    }
    while (done > 0) {
        STMT rt::present_frame();
        STMT done = continue_prompt_input();
    }
    STMT rt::clear_screen();
    STMT rt::stop_music();
    return 0;
}

double intro_story() {
    GAME_PROCEDURE(source_main);
    STMT load_picture("story01a", 0);
    STMT load_picture("story01b", 1);
    STMT story_screen(0, {{story::intro_summons, 260}});
    STMT story_screen(0, {{story::intro_beam_opening, 260}, {story::intro_beam, 330}});
    STMT story_screen(0, {{story::intro_warning, 260}});
    STMT story_screen(0, {{story::intro_forest, 260}});
    STMT show_picture(gfxsky, 0, 0);
    STMT show_picture(1, 0, 0);
    STMT print_wrapped(story::intro_accept, 10);
    STMT print_text(story::title_line, -1, 120);
    STMT wait_continue();
    STMT show_picture(gfxsky, 0, 0);
    STMT story_screen(1, {{story::intro_landing, 10}});
    return 0;
}

double ending_screen() {
    GAME_PROCEDURE(source_main);
    STMT if (loaded != 44) {
        load_picture("story01a", 0);
        load_picture("b44", 1);
        loaded = 44;
    }
    STMT story_screen(0, {{story::ending_call, 260}, {story::ending_congratulations, 300}});
    STMT story_screen(0, {{story::ending_escape, 260}});
    STMT show_picture(1, 0, 0);
    STMT print_text("THE END", -1, 200);
    STMT rt::stop_music();
    STMT rt::play_music("aud/title.mp3");
    STMT rt::set_music_volume(mastervolume);
    STMT wait_continue();
    STMT rt::stop_music();
    STMT loc = 999;
    return 0;
}

}  // namespace game
