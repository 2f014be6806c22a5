#pragma once
#include <string>

namespace game {

// Sets up the player's words from the command line: "--text" plays in the
// terminal, "--speak" reads the screens aloud (F2 turns that on and off in
// any case). A voice or player already installed (by a test) is kept.
void start_ways_to_play(const std::string& command_line);

}  // namespace game
