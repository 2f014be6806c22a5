#include "game/text.h"

#include "game/data_check.h"
#include "game/globals.h"
#include "game/procedure.h"
#include "platform/words.h"
#include "runtime/core/rt_string.h"
#include "runtime/gfx/sprites.h"

namespace game {
namespace {

constexpr double white = 16777215;
constexpr double font_slot = 50;
constexpr double line_height = 20;

// Code of the character at `index`, less 32: the font frame and kern index.
double glyph_of(const rt::RtString& text, double index) {
    return rt::string_first_code(rt::string_mid(text, index, 1)) - 32;
}

int quiet_words = 0;

}  // namespace

QuietWords::QuietWords() { ++quiet_words; }
QuietWords::~QuietWords() { --quiet_words; }

void tell(std::string_view words) {
    if (quiet_words == 0 && !words.empty()) platform::words().text(words);
}

double text_width(std::string_view text) {
    const rt::RtString line(text);
    double width = 0;
    for (double i = 0; i < rt::string_length(line); i += 1) width += kern[glyph_of(line, i)];
    return width;
}

double build_kerning() {
    GAME_PROCEDURE(source_main);
    double ch = 0;
    double chx = 0;
    double chy = 0;
    game_procedure_.local("ch", ch);
    game_procedure_.local("chx", chx);
    game_procedure_.local("chy", chy);
    STMT kern[0] = 20;
    for (ch = 1; ch <= 95; ch += 1) {
        STMT rt::draw_rect(0, 0, 25, 25, white);
        STMT rt::draw_frame(font_slot, ch, 0, 0);
        STMT chx = 20 / resx;
        STMT chy = 0;
        // Scan columns leftwards from just right of the cell, every second row,
        // until one holds a pixel of the glyph.
        while (chx > 0 && rt::read_pixel(chx, chy) == white) {
            STMT chy = chy + 2;
            STMT if (chy == 20 / resx) {
                chx = chx - 1;
                chy = 0;
            }
        }
        STMT kern[ch] = resx * chx + 2;
    }
    return 0;
}

double print_text(std::string_view text, double tx, double ty) {
    GAME_PROCEDURE(source_main);
    tell(text);
    rt::RtString txt_Str(text);
    double loop = 0;
    double cr = 0;
    double add = 0;
    game_procedure_.local("txt_Str", txt_Str);
    game_procedure_.local("tx", tx);
    game_procedure_.local("ty", ty);
    game_procedure_.local("loop", loop);
    game_procedure_.local("cr", cr);
    game_procedure_.local("add", add);
    const double length = rt::string_length(txt_Str);
    STMT if (tx == -1) {
        for (loop = 0; loop < length; loop += 1) {
            STMT add = add + kern[glyph_of(txt_Str, loop)];
        }
        STMT tx = static_cast<double>(static_cast<long long>((640 - add) * 0.5));
    }
    for (loop = 0; loop < length; loop += 1) {
        STMT cr = glyph_of(txt_Str, loop);
        STMT if (resx == 1) {
            rt::draw_frame(font_slot, cr, tx, ty);
        } else {
            rt::draw_frame(font_slot, cr, tx * 0.5, ty * 0.5);
        }
        STMT tx = tx + kern[cr];
    }
    return 0;
}

double print_wrapped(std::string_view text, double wy) {
    GAME_PROCEDURE(source_main);
    // Told whole: the breaks of the picture's lines are no breaks in the words.
    tell(text);
    const QuietWords lines_already_told;
    rt::RtString w_Str(text);
    double lastspace = 0;
    double testch = 0;
    double width = 0;
    double ch = 0;
    game_procedure_.local("w_Str", w_Str);
    game_procedure_.local("wy", wy);
    game_procedure_.local("lastspace", lastspace);
    game_procedure_.local("testch", testch);
    game_procedure_.local("width", width);
    game_procedure_.local("ch", ch);
    while (rt::string_length(w_Str) > 0) {
        STMT lastspace = 0;
        STMT testch = 0;
        STMT width = 0;
        const double length = rt::string_length(w_Str);
        while (width < maxkern) {
            STMT if (testch == length) break;
            STMT ch = glyph_of(w_Str, testch);
            STMT if (ch == 0) lastspace = testch;
            STMT width = width + kern[ch];
            STMT testch = testch + 1;
        }
        STMT if (testch == length && width < maxkern) {
            print_text(w_Str.view(), 0, wy);
            w_Str = rt::RtString();
            continue;
        }
        // A word wider than the line has no space to break at: break inside
        // it, keeping every character that fitted.
        STMT if (lastspace == 0) {
            const double fitted = testch > 1 ? testch - 1 : 1;
            print_text(rt::string_mid(w_Str, 0, fitted).view(), 0, wy);
            wy = wy + line_height;
            w_Str = rt::string_mid(w_Str, fitted, length - fitted);
            continue;
        }
        STMT print_text(rt::string_mid(w_Str, 0, lastspace).view(), 0, wy);
        STMT wy = wy + line_height;
        STMT w_Str = rt::string_mid(w_Str, lastspace + 1, length - lastspace - 1);
    }
    return 0;
}

double load_picture(std::string_view file, double num) {
    GAME_PROCEDURE(source_main);
    rt::RtString file_Str(file);
    rt::RtString filename_Str;
    game_procedure_.local("file_Str", file_Str);
    game_procedure_.local("num", num);
    game_procedure_.local("filename_Str", filename_Str);
    STMT filename_Str = rt::RtString("gfx/") + file_Str + ".png";
    STMT rt::load_sprite(std::string(filename_Str.view()), num);
    clear_screen_if_missing(num);
    return 0;
}

double show_picture(double num, double x, double y) {
    GAME_PROCEDURE(source_main);
    double sx = 0;
    double sy = 0;
    game_procedure_.local("num", num);
    game_procedure_.local("x", x);
    game_procedure_.local("y", y);
    game_procedure_.local("sx", sx);
    game_procedure_.local("sy", sy);
    STMT rt::sprite_size(num, sx, sy);
    STMT if (x == -1) x = (640 - sx) * 0.5;
    STMT if (resx == 1) {
        rt::draw_sprite(num, x, y);
    } else {
        rt::draw_sprite_stretched(num, x * 0.5, y * 0.5, sx * 0.5, sy * 0.5);
    }
    return 0;
}

}  // namespace game
