#pragma once
#include <gtest/gtest.h>

#include "platform/doubles/scripted_input.h"
#include "platform/services.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/input/input.h"
#include "tests/support/headless.h"

namespace input_tests {

// Scripted devices behind a 640 x 480 screen, started with the exclusive mouse.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::install_test_services(temp_);
        auto input = std::make_unique<platform::doubles::ScriptedInput>();
        input_ = input.get();
        platform::services().input = std::move(input);
        rt::GraphicsContext& screen = rt::create_graphics_context();
        screen.width = 640;
        screen.height = 480;
    }

    void TearDown() override {
        rt::release_input();
        platform::services().input.reset();
    }

    void start(bool exclusive_mouse = true) { status_ = rt::init_input(exclusive_mouse); }
    // What present_frame does for input.
    void next_frame() { rt::refresh_input_devices(); }

    testing_support::TempDir temp_;
    platform::doubles::ScriptedInput* input_ = nullptr;
    std::uint32_t status_ = 0;
};

}  // namespace input_tests
