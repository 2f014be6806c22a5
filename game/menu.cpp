#include "game/menu.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/globals.h"
#include "game/procedure.h"
#include "game/text.h"
#include "runtime/audio/music.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/rt_string.h"
#include "runtime/gfx/sprites.h"
#include "runtime/core/run_errors.h"
#include "runtime/input/input.h"
#include "runtime/input/joystick.h"
#include "runtime/input/key_codes.h"
#include "platform/words.h"

namespace game {
namespace {

// The handheld's fire buttons arrive as these keys (W, left Ctrl, A, S, D, Z, X, Space, Caps Lock).
constexpr std::array<double, 9> fire_keys{17, 29, 30, 31, 32, 44, 45, 57, 58};
// Volume levels 0..5: the digit keys of the main keyboard and of the keypad.
constexpr std::array<std::array<double, 2>, 6> volume_level_keys{{{11, 82}, {2, 79}, {3, 80}, {4, 81}, {5, 75}, {6, 76}}};

constexpr double pointer_slot = 51;
constexpr double touch_target_slot = 52;

bool on_desktop() { return info_Str == "DESKTOP"; }
bool on_touchscreen() { return info_Str == "F200"; }
bool on_joystick_handheld() { return info_Str == "F100"; }

double fire_held() {
    double sum = 0;
    for (double key : fire_keys) sum += rt::key_down(key);
    return sum;
}

// Waits, presenting nothing, until the key is released.
void wait_for_release(double key) {
    while (rt::key_down(key) != 0) {
    }
}

// What works a desktop menu without a pointer, from the keyboard and any pad.
struct MenuButtons {
    bool up = false;
    bool down = false;
    bool choose = false;
    bool go_on = false;  // past a continue prompt
    int pads = 0;        // attached
};

MenuButtons menu_buttons_held() {
    const platform::PadButtons pad = rt::pad_buttons();
    const bool tab = rt::key_down(rt::keys::tab) != 0;
    const bool shift = rt::key_down(rt::keys::left_shift) != 0 || rt::key_down(rt::keys::right_shift) != 0;
    const bool enter =
        rt::key_down(rt::keys::return_key) != 0 || rt::key_down(rt::keys::keypad_enter) != 0 ||
        rt::key_down(rt::keys::space) != 0;
    return {rt::key_down(rt::keys::cursor_up) != 0 || (tab && shift) || pad.up,
            rt::key_down(rt::keys::cursor_down) != 0 || (tab && !shift) || pad.down, enter || pad.choose,
            enter || pad.choose || pad.start, pad.pads};
}

// The keyboard's (and pads') hold on the desktop menu's highlight. It lasts
// from one menu to the next until the mouse moves or clicks.
struct KeyboardMenu {
    MenuButtons held_before;  // at the previous look, so a press is seen once
    bool owns_highlight = false;
    double highlighted = 1;
    bool choosing = false;  // the choose button is down over an option
    double pointer_x = 0;
    double pointer_y = 0;
};
KeyboardMenu keyboard_menu;

// Moves the highlight one option, wrapping at either end as the handheld does.
double stepped(double from, bool down, double num) {
    if (down) return from + 1 > num ? 1 : from + 1;
    return from - 1 < 1 ? num : from - 1;
}

// Steers the highlight with keys and pads over the pointer's. Returns the
// option chosen (when the choose button is let go), else 0.
double steer_by_keys(double mx, double my, double b1, double num, const std::array<rt::RtString, 5>& options) {
    KeyboardMenu& keys = keyboard_menu;
    const MenuButtons held = menu_buttons_held();
    const MenuButtons before = std::exchange(keys.held_before, held);
    if (mx != keys.pointer_x || my != keys.pointer_y || b1 == 1) keys.owns_highlight = false;
    keys.pointer_x = mx;
    keys.pointer_y = my;
    const bool up = held.up && !before.up;
    const bool down = held.down && !before.down;
    if ((up || down) && num > 0) {
        const double from = keys.owns_highlight ? keys.highlighted : hilite;
        keys.highlighted = stepped(from, down, num);
        keys.owns_highlight = true;
        platform::words().highlight(static_cast<int>(keys.highlighted),
                                    options[static_cast<std::size_t>(keys.highlighted) - 1].view());
    }
    if (keys.owns_highlight) hilite = keys.highlighted;
    // A pad pulled out with its button down never lets go of it: no choice.
    if (held.pads != before.pads) keys.choosing = false;
    if (held.choose && !before.choose && hilite >= 1 && hilite <= num) keys.choosing = true;
    if (!keys.choosing || held.choose) return 0;
    keys.choosing = false;
    return hilite;
}

// The device's "continue" input: mouse button or tap, else the fire buttons.
// On the desktop Enter, Space and a pad's south or start button go on too.
double continue_input() {
    if (on_touchscreen()) return rt::mouse_state().left;
    if (on_desktop()) return rt::mouse_state().left != 0 || menu_buttons_held().go_on ? 1 : 0;
    return fire_held();
}

void tell_choices(const std::array<rt::RtString, 5>& options) {
    std::vector<std::string> offered;
    for (const rt::RtString& option : options) {
        if (rt::string_length(option) > 0) offered.emplace_back(option.view());
    }
    platform::words().choices("Do you want to:", offered);
}

// F2 turns the voice on and off.
void speech_key() {
    static bool held_before = false;
    const bool held = rt::key_down(rt::keys::f2) != 0;
    if (held && !held_before) platform::words().toggle_voice();
    held_before = held;
}

// The player who answers in words (the terminal) answers here; quitting
// ends the program the normal way.
double answer_in_words(platform::WordsPlayer& player, double num) {
    const std::optional<int> chosen = player.read_choice(static_cast<int>(num));
    if (!chosen) rt::end_program();
    return *chosen;
}

// The highlight bar of option k under its text, in the grey level of hicol.
void draw_highlight(double first_row_y, double k, double scale) {
    const double grey = static_cast<double>(static_cast<long long>(hicol));
    const double colour = grey + 256 * grey + 65536 * grey;
    rt::draw_rect(0, (first_row_y + 20 * (k - 1)) * scale, optwide[k] * scale, 20 * scale, colour);
}

std::string_view prompt_text() {
    if (on_joystick_handheld()) return "Press Fire to Continue";
    if (on_touchscreen()) return "Tap Screen to Continue";
    return "Click to Continue";
}

double menu_call_count = 0;
double latest_menu_y = 0;
double prompt_count = 0;

}  // namespace

double menu_calls() { return menu_call_count; }
double menu_y() { return latest_menu_y; }
double prompts_shown() { return prompt_count; }

double continue_prompt_input() { return continue_input(); }
std::string_view continue_prompt() { return prompt_text(); }

double escape_held() { return rt::key_down(rt::keys::escape) != 0 || rt::pad_buttons().back ? 1 : 0; }

bool continued_in_words(std::string_view prompt) {
    platform::WordsHub& words = platform::words();
    words.prompt(prompt);
    platform::WordsPlayer* player = words.player();
    if (player == nullptr) return false;
    if (!player->read_continue()) rt::end_program();
    return true;
}

double choice_menu(double o, std::string_view o1, std::string_view o2, std::string_view o3, std::string_view o4,
                   std::string_view o5) {
    GAME_PROCEDURE(source_main);
    const std::array<rt::RtString, 5> options{rt::RtString(o1), rt::RtString(o2), rt::RtString(o3),
                                              rt::RtString(o4), rt::RtString(o5)};
    double loop = 0;
    double cr = 0;
    double num = 0;
    double mx = 0;
    double my = 0;
    double b1 = 0;
    double b2 = 0;
    double opty = 0;
    game_procedure_.local("o", o);
    game_procedure_.local("loop", loop);
    game_procedure_.local("cr", cr);
    game_procedure_.local("num", num);
    game_procedure_.local("mx", mx);
    game_procedure_.local("my", my);
    game_procedure_.local("b1", b1);
    game_procedure_.local("b2", b2);
    game_procedure_.local("opty", opty);

    STMT if (screendrawn == 0) {
        STMT rt::keep_screen_as_background();
        STMT screendrawn = 1;
        STMT optwide.redim(0);
        STMT optwide.redim(6);
        for (loop = 1; loop <= 5; loop += 1) {
            STMT optwide[loop] = text_width(options[static_cast<std::size_t>(loop) - 1].view());
        }
        tell_choices(options);
        keyboard_menu.highlighted = 1;
        keyboard_menu.choosing = false;
    }
    const QuietWords told_already;
    menu_call_count += 1;
    latest_menu_y = o;
    STMT print_text("Do you want to:", 0, o);
    STMT o = o + 40;
    STMT num = 0;
    for (const rt::RtString& option : options) {
        if (rt::string_length(option) > 0) num = num + 1;
    }

    if (platform::WordsPlayer* player = platform::words().player()) return answer_in_words(*player, num);
    double chosen_by_keys = 0;

    STMT if (on_joystick_handheld()) {
        STMT if (rt::key_down(rt::keys::cursor_down) != 0) {
            pressed = 1;
            wait_for_release(rt::keys::cursor_down);
            pressed = 0;
            hilite = hilite + 1;
            if (hilite > num) hilite = 1;
        }
        STMT if (rt::key_down(rt::keys::cursor_up) != 0) {
            pressed = 1;
            wait_for_release(rt::keys::cursor_up);
            pressed = 0;
            hilite = hilite - 1;
            if (hilite < 1) hilite = num;
        }
        STMT if (fire_held() > 0) {
            pressed = 1;
            while (fire_held() > 0) {
            }
            pressed = 0;
            const double chosen = hilite;
            hilite = 1;
            return chosen;
        }
        STMT draw_highlight(o, hilite, 0.5);
    } else {
        STMT const rt::MouseStateResult mouse = rt::mouse_state();
        STMT mx = mouse.x;
        STMT my = mouse.y;
        STMT b1 = mouse.left;
        STMT b2 = mouse.right;
        STMT if (on_touchscreen()) {
            mx = mx * 2;
            my = my * 2;
        }
        STMT hilite = 0;
        STMT if (my > o && my < o + num * 20) {
            opty = static_cast<double>(static_cast<long long>((my - o) / 20)) + 1;
            if (opty >= 1 && opty <= 5 && mx < optwide[opty]) hilite = opty;
        }
        if (on_desktop()) chosen_by_keys = steer_by_keys(mx, my, b1, num, options);
        STMT if (on_desktop() && hilite >= 1 && hilite <= 5) draw_highlight(o, hilite, 1);
        STMT if (on_touchscreen()) {
            if (b1 == 1) pressed = 1;
            if (pressed == 1) {
                draw_highlight(o, hilite, 0.5);
                rt::draw_sprite(touch_target_slot, mx * 0.5 - 2, my * 0.5 - 2);
            }
        }
    }

    STMT print_text(options[0].view(), 0, o);
    for (loop = 2; loop <= 5; loop += 1) {
        const rt::RtString& option = options[static_cast<std::size_t>(loop) - 1];
        STMT if (rt::string_length(option) > 0) print_text(option.view(), 0, o + 20 * (loop - 1));
    }

    STMT if (on_desktop()) {
        STMT rt::draw_sprite(pointer_slot, mx - 15, my - 15);
        STMT if (b1 == 1) {
            while (b1 == 1) b1 = rt::mouse_state().left;
            return hilite;
        }
        if (chosen_by_keys > 0) return chosen_by_keys;
    }
    STMT if (on_touchscreen() && pressed == 1 && b1 == 0) {
        pressed = 0;
        return hilite;
    }
    STMT rt::present_frame();
    return 0;
}

double wait_continue() {
    GAME_PROCEDURE(source_main);
    double done = 0;
    game_procedure_.local("done", done);
    prompt_count += 1;
    {
        const QuietWords told_as_prompt;
        STMT print_text(prompt_text(), -1, 460);
    }
    if (continued_in_words(prompt_text())) {
        rt::clear_screen();
        return 0;
    }
    STMT rt::keep_screen_as_background();
    STMT done = 0;
    while (done == 0) {
        STMT rt::present_frame();
        STMT volume_keys();
        STMT done = continue_input();
    }
    while (done > 0) {
        STMT rt::present_frame();
        STMT done = continue_input();
    }
    STMT rt::clear_screen();
    return 0;
}

double volume_keys() {
    GAME_PROCEDURE(source_main);
    double oldmv = 0;
    double volpressed = 0;
    game_procedure_.local("oldmv", oldmv);
    game_procedure_.local("volpressed", volpressed);
    STMT oldmv = mastervolume;
    STMT if (on_desktop()) {
        for (std::size_t level = 0; level < volume_level_keys.size(); ++level) {
            const auto& keys = volume_level_keys[level];
            STMT if (rt::key_down(keys[0]) != 0 || rt::key_down(keys[1]) != 0) {
                mastervolume = static_cast<double>(level) * 0.2;
            }
        }
    } else {
        // Whole steps of 0.2 counted in fifths, so rounding never leaves 0..1.
        STMT if (rt::key_down(rt::keys::page_up) != 0) {
            if (mastervolume < 1) mastervolume = std::min(5.0, std::round(mastervolume * 5) + 1) / 5;
            volpressed = 1;
            wait_for_release(rt::keys::page_up);
        }
        STMT if (rt::key_down(rt::keys::page_down) != 0) {
            if (mastervolume > 0) mastervolume = std::max(0.0, std::round(mastervolume * 5) - 1) / 5;
            volpressed = 1;
            wait_for_release(rt::keys::page_down);
        }
    }
    STMT if (mastervolume != oldmv) rt::set_music_volume(mastervolume);
    speech_key();
    return 0;
}

}  // namespace game
