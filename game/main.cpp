#include <algorithm>
#include <string_view>

#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "runtime/core/entry.h"

int main(int argc, char** argv) {
    platform::install_sdl_services();
    if (std::find(argv + 1, argv + argc, std::string_view("--text")) != argv + argc) platform::use_offscreen_video();
    return rt::run_process(argc, argv, game::game_entry);
}
