#include "game/data_check.h"

#include <string>

#include "runtime/core/program_failure.h"
#include "runtime/files/media_problems.h"
#include "runtime/gfx/sprites.h"

namespace game {
namespace {

bool slot_empty(double slot) {
    double width = 0;
    double height = 0;
    rt::sprite_size(slot, width, height);
    return width <= 0 || height <= 0;
}

std::string problems_text() {
    std::string text;
    for (const std::string& problem : rt::media_problems()) text += (text.empty() ? "" : "; ") + problem;
    return text.empty() ? std::string("the font strip cannot be used") : text;
}

}  // namespace

void require_font_strip(double slot) {
    if (!slot_empty(slot)) return;
    rt::fail_program("The game's data files are missing or damaged: " + problems_text() + ". Reinstall the game.");
}

void clear_screen_if_missing(double slot) {
    if (slot_empty(slot)) rt::clear_screen();
}

}  // namespace game
