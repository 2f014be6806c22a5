// Feeds arbitrary bytes to the autosave reader. Whatever it accepts must be a
// state the locations can be entered with, and must read back unchanged once
// written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/autosave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool part_one_finished : {false, true}) {
        const auto result = game::autosave::read_text(text, part_one_finished);
        if (!result.game) {
            if (result.problem.empty()) std::abort();
            continue;
        }
        const auto& game = *result.game;
        if (game.empty() || (game.parts[1] && !part_one_finished)) std::abort();
        for (int part = 1; part <= 2; ++part) {
            const auto& state = game.parts[static_cast<std::size_t>(part - 1)];
            if (state && !game::autosave::check_state(part, *state).empty()) std::abort();
        }
        const auto again = game::autosave::read_text(game::autosave::write_text(game), part_one_finished);
        if (!again.game || !(*again.game == game)) std::abort();
    }
    return 0;
}
