#include "game/game.h"

#include "game/autosave.h"
#include "game/data_check.h"
#include "game/globals.h"
#include "game/locations.h"
#include "game/menu.h"
#include "game/options.h"
#include "game/part_one.h"
#include "game/procedure.h"
#include "game/screens.h"
#include "game/text.h"
#include "game/ways_to_play.h"
#include "runtime/audio/music.h"
#include "runtime/core/entry.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/platform_info.h"
#include "runtime/core/rt_string.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/media_archive.h"
#include "platform/user_dirs.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/picture_read_ahead.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "runtime/input/input.h"

namespace game {
namespace {

constexpr const char* marker_file = "partone.vx";
constexpr std::string_view gate_message =
    "I say, V.X., you'll never defeat Vexmoor by trying to cheat. You need to play Part One first.";

// Decides the device; anything the game does not know ends it quietly.
void detect_device() {
    GAME_PROCEDURE(source_main);
    STMT if (info_Str == "GP2X") {
        resx = 2;
        info_Str = rt::file_exists("/dev/touchscreen/wm97xx") != 0 ? rt::RtString("F200") : rt::RtString("F100");
    }
    STMT if (!(info_Str == "DESKTOP" || info_Str == "F100" || info_Str == "F200")) rt::end_program();
}

// The pictures start_up loads, the two developer screens' included: they are
// decoded on a second thread while the window opens.
void read_start_up_pictures_ahead(const Options& options) {
    std::vector<std::string> names{options.handheld.empty() ? "gfx/fontpc.png" : "gfx/fontgp.png"};
    for (const char* name : {"mouse", "f200targ", "gfxfall2", "gfxfall", "gfxdark", "gfxsky", "gfxdngn", "compo",
                             "brinco"}) {
        names.push_back(std::string("gfx/") + name + ".png");
    }
    rt::read_pictures_ahead("media.gfx", names, rt::default_color_key);
}

// Screen, font, kerning, shared pictures, then the developer screens.
void start_up() {
    GAME_PROCEDURE(source_main);
    STMT detect_device();
    STMT rt::set_screen_mode(640 / resx, 480 / resx, 1);
    STMT rt::show_system_pointer(0);
    STMT rt::set_frame_limit(60);
    STMT rt::set_media_archives("media.gfx", "media.aud");
    STMT rt::allow_escape_quit(0);
    STMT if (resx == 1) {
        rt::load_animation("gfx/fontpc.png", 50, 20, 20);
    } else {
        rt::load_animation("gfx/fontgp.png", 50, 10, 10);
    }
    STMT require_font_strip(50);
    STMT kern.dim(96);
    STMT build_kerning();
    STMT optwide.dim(6);
    STMT load_picture("mouse", 51);
    STMT load_picture("f200targ", 52);
    STMT obj.dim(50);
    STMT load_picture("gfxfall2", gfxdarkfall);
    STMT load_picture("gfxfall", gfxfall);
    STMT load_picture("gfxdark", gfxindark);
    STMT load_picture("gfxsky", gfxsky);
    STMT load_picture("gfxdngn", gfxdungeon);
    STMT compo_screen();
    STMT logo_screen();
    rt::end_picture_read_ahead();
}

void reset_play_state() {
    loc = 1;
    hilite = 1;
    opt = 0;
    screendrawn = 0;
    hicol = 50;
    hicoldiff = 10;
    pressed = 0;
    loaded = 0;
    part = 1;
}

void part_selection_backdrop() {
    rt::draw_rect(0, 0, 640 / resx, 480 / resx, 48);
    show_picture(1, -1, 25);
    show_picture(0, -1, 100);
}

void pulse_highlight() {
    hicol = hicol + hicoldiff;
    if (hicol == 50 || hicol == 250) hicoldiff = -hicoldiff;
}

// The marker's first line; an empty or unreadable marker reads as "".
std::string read_marker() {
    if (rt::open_file(1, marker_file, 1) == 0 || rt::end_of_file(1) != 0) return {};
    return rt::read_line(1);
}

// Part Two only with a marker that holds the code; a wrong marker is removed.
// One that cannot be removed gets the gate message once and is then passed over.
void choose_part(rt::RtString& check_Str, bool& marker_stuck) {
    GAME_PROCEDURE(source_main);
    STMT if (marker_stuck || rt::file_exists(marker_file) == 0) return;
    STMT load_picture("tesh", 0);
    STMT load_picture("vx", 1);
    STMT check_Str = rt::RtString(read_marker());
    STMT if (check_Str == part_one_marker_code) {
        while (opt == 0) {
            STMT part_selection_backdrop();
            STMT opt = choice_menu(350, "Play Part One", "Play Part Two", "", "", "");
            STMT pulse_highlight();
        }
        STMT part = opt;
        STMT screendrawn = 0;
        return;
    }
    STMT rt::delete_file(marker_file);
    STMT marker_stuck = rt::file_exists(marker_file) != 0;
    STMT part_selection_backdrop();
    STMT print_wrapped(gate_message, 320);
    STMT wait_continue();
}

// One pass of the main loop; false when the game restarts at the title.
bool main_loop_pass() {
    GAME_PROCEDURE(source_main);
    STMT if (part == 1) run_part_one_location(loc);
    STMT if (part == 2) {
        if (loc == 44) {
            ending_screen();
        } else {
            run_part_two_location(loc);
        }
    }
    STMT volume_keys();
    STMT if (escape_held() != 0) return false;
    STMT if (opt > 0) {
        autosave_choice_made();
        rt::clear_screen();
        screendrawn = 0;
        opt = 0;
        maxkern = 640;
    }
    STMT pulse_highlight();
    if (loc == 999) autosave_part_finished();
    STMT return loc != 999;
}

void restart() {
    part = 1;
    loc = 1;
    loaded = 0;
    obj.redim(0);
    obj.redim(50);
}

// "--handheld=F100" or "--handheld=F200" plays the handheld models on the desktop.
void apply_handheld_option(const Options& options) {
    if (options.handheld.empty()) return;
    rt::simulate_handheld(options.handheld == "F200");
    std::string key = "DEVICE";
    info_Str = rt::RtString(rt::platform_info(key));
}

// The player's window choices: the command line's, over the remembered ones.
void use_display_options(const std::string& command_line) {
    const Options options = parse_options(command_line);
    rt::DisplayOptions display;
    if (options.windowed) display.fullscreen = false;
    if (options.fullscreen) display.fullscreen = true;
    display.exclusive_fullscreen = options.exclusive_fullscreen;
    display.busy_wait = options.busy_wait;
    // Terminal mode's window is never seen: it must neither follow nor
    // overwrite the window the player keeps for playing on the screen.
    const std::string settings = options.text ? std::string() : platform::user_dirs::config_home() + "settings.ini";
    rt::use_display_settings(settings, display);
}

std::string usage() {
    std::string text = usage_text(rt::progress_folder());
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// --help, --version and options we do not know end the program before any window opens.
void answer_and_end_early(const Options& options) {
    if (!options.unknown.empty()) {
        rt::print_error_line("marlowick: unknown option '" + options.unknown.front() + "'");
        rt::print_error_line(usage());
        rt::exit_before_start(2);
    }
    if (options.help) {
        rt::print_line(usage());
        rt::exit_before_start(0);
    }
    if (options.version) {
        rt::print_line("marlowick " MARLOWICK_VERSION);
        rt::exit_before_start(0);
    }
}

}  // namespace

void game_entry(const std::string& command_line, int show_mode) {
    const Options options = parse_options(command_line);
    answer_and_end_early(options);
    rt::set_command_line(command_line);
    apply_handheld_option(options);
    start_ways_to_play(command_line);
    use_display_options(command_line);
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.screen_width = 640;
    settings.screen_height = 480;
    settings.fullscreen = 0;
    settings.samples = 0;
    settings.frame_rate = 60;
    settings.debug_mode = 1;
    settings.exclusive_mouse = 1;
    read_start_up_pictures_ahead(options);
    rt::runtime_init("Marlowick", show_mode);
    rt::set_window_icon(window_icon_png());
    rt::set_source_position(0, 0);
    rt::set_error_code(0);
    game_main();
}

void game_main() {
    GAME_PROCEDURE(source_main);
    rt::RtString check_Str;
    game_procedure_.local("check_Str", check_Str);
    bool marker_stuck = false;
    STMT start_up();
    autosave_begin_run();
    for (;;) {
        STMT title_screen();
        STMT reset_play_state();
        STMT choose_part(check_Str, marker_stuck);
        const bool continued = offer_continue(marker_file);
        STMT rt::play_music("aud/ingame.mp3");
        STMT rt::set_music_volume(mastervolume);
        STMT if (part == 1 && !continued) intro_story();
        STMT if (part == 2 && !continued) intro_story_two();
        while (main_loop_pass()) {
        }
        STMT restart();
    }
}

}  // namespace game
