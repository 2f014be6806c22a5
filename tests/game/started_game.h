#pragma once
#include <cstdint>
#include <vector>

#include "runtime/gfx/sprites.h"
#include "tests/support/game_driver.h"

namespace frame_test {

// The real game brought up to its first screen (window, font, kerning and the
// shared pictures ready) and stopped there. The runtime stays up, so a test
// can call the game's routines directly; it is shut down with the driver.
class StartedGame {
public:
    explicit StartedGame(const std::string& command_line = "");
    testing_support::GameDriver driver;
};

// The back buffer as it is now, rows from the top, 3 bytes a pixel.
class Screen {
public:
    static Screen grab();
    bool operator==(const Screen& other) const = default;
    // Rightmost column, within rows [top, top + rows), that is not black; -1 when all are.
    int right_edge(int top, int rows) const;
    // Whether any pixel of the rows [top, top + rows) is not black.
    bool has_ink(int top, int rows) const { return right_edge(top, rows) >= 0; }

private:
    std::uint32_t pixel(int x, int y) const;  // red + 256 green + 65536 blue
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;
};

// Draws with `draw` on a cleared back buffer and returns what it left there.
template <class Draw>
Screen drawn_by(Draw draw) {
    rt::clear_screen();
    draw();
    return Screen::grab();
}

}  // namespace frame_test

