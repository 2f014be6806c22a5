#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "runtime/core/entry.h"

int main(int argc, char** argv) {
    platform::install_sdl_services();
    return rt::run_process(argc, argv, game::game_entry);
}
