// Pads through the real SDL devices, with a controller SDL simulates: it is
// plugged in, read, pulled out and plugged in again while the devices run.
#include <gtest/gtest.h>

#include "platform/doubles/virtual_pad.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"

namespace {

using platform::doubles::VirtualPad;

TEST(VirtualPad, ButtonsReadWhileThePadComesAndGoes) {
    platform::install_sdl_services();
    platform::InputDevices& devices = *platform::services().input;
    devices.open(false);
    const auto held = [&devices] {
        devices.poll();
        return devices.pad_buttons();
    };
    EXPECT_EQ(held(), platform::PadButtons{});
    {
        VirtualPad pad;
        if (!pad.plugged_in()) GTEST_SKIP() << "this SDL simulates no devices";
        pad.set(VirtualPad::Button::dpad_down, true);
        EXPECT_EQ(held(), (platform::PadButtons{.down = true, .pads = 1}));
        pad.unplug();
        EXPECT_EQ(held(), platform::PadButtons{});
        pad.plug_in();
        pad.push_stick(-1);
        pad.set(VirtualPad::Button::south, true);
        pad.set(VirtualPad::Button::east, true);
        EXPECT_EQ(held(), (platform::PadButtons{.up = true, .choose = true, .back = true, .pads = 1}));
    }
    EXPECT_EQ(held().pads, 0);
    // The joysticks found at the start are what the runtime's joystick commands read.
    EXPECT_EQ(devices.joystick_count(), 0);
    devices.close();
}

}  // namespace
