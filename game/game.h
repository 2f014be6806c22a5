#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace game {

// The game's entry routine: settings, runtime start-up, then the main routine.
void game_entry(const std::string& command_line, int show_mode);
[[noreturn]] void game_main();

// The window's desktop icon as PNG bytes, drawn at build time.
std::span<const std::uint8_t> window_icon_png();

}  // namespace game
