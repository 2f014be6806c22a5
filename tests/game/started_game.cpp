#include "tests/game/started_game.h"

#include <GL/gl.h>

#include <algorithm>

#include "runtime/core/frame_loop.h"
#include "runtime/gfx/graphics_context.h"

namespace frame_test {

StartedGame::StartedGame(const std::string& command_line) {
    // The touch target (slot 52) is among the last shared pictures start-up
    // loads; the first frame after it belongs to the first screen.
    driver.run(
        [](testing_support::GameDriver&) {
            double width = 0;
            double height = 0;
            rt::sprite_size(52, width, height);
            return width == 0;
        },
        command_line);
    // The run stopped inside a frame; finish one cleanly before the test draws.
    rt::present_frame();
}

Screen Screen::grab() {
    Screen screen;
    screen.width_ = rt::graphics().width;
    screen.height_ = rt::graphics().height;
    std::vector<std::uint8_t> bottom_up(static_cast<std::size_t>(screen.width_) * screen.height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screen.width_, screen.height_, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    const std::size_t row = static_cast<std::size_t>(screen.width_) * 3;
    screen.rgb_.resize(bottom_up.size());
    for (int y = 0; y < screen.height_; ++y) {
        std::copy_n(bottom_up.begin() + static_cast<std::ptrdiff_t>(row * (screen.height_ - 1 - y)), row,
                    screen.rgb_.begin() + static_cast<std::ptrdiff_t>(row * y));
    }
    return screen;
}

std::uint32_t Screen::pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return rgb_[at] + 256u * rgb_[at + 1] + 65536u * rgb_[at + 2];
}

int Screen::right_edge(int top, int rows) const {
    int edge = -1;
    for (int y = std::max(top, 0); y < std::min(top + rows, height_); ++y) {
        for (int x = width_ - 1; x > edge; --x) {
            if (pixel(x, y) != 0) {
                edge = x;
                break;
            }
        }
    }
    return edge;
}

}  // namespace frame_test
