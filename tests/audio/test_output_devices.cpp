#include <gtest/gtest.h>

#include "platform/output_follower.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/music.h"
#include "runtime/audio/sound.h"
#include "runtime/core/clock.h"
#include "runtime/core/error_log.h"
#include "tests/audio/wav_builder.h"
#include "tests/support/headless.h"

namespace {

using platform::OutputChange;

// An output whose device comes and goes as the test says.
struct FakeOutput : platform::OutputFollower::Output {
    bool device_present = true;
    int closes = 0;
    int opens = 0;
    void close_device() override { ++closes; }
    bool open_default_device() override {
        ++opens;
        return device_present;
    }
};

TEST(OutputFollower, MovesToTheDefaultDeviceOrWaitsSilentlyForOne) {
    platform::OutputFollower follower;
    FakeOutput output;
    EXPECT_EQ(follower.update(0, output), OutputChange::none);
    follower.device_added();  // devices announced while one plays change nothing
    EXPECT_EQ(follower.update(0, output), OutputChange::none);
    EXPECT_EQ(output.opens, 0);

    follower.device_removed();
    EXPECT_EQ(follower.update(10, output), OutputChange::moved);
    EXPECT_EQ(std::pair(output.closes, output.opens), std::pair(1, 1));

    output.device_present = false;
    follower.device_removed();
    EXPECT_EQ(follower.update(20, output), OutputChange::lost);
    EXPECT_TRUE(follower.silent());
    EXPECT_EQ(follower.update(400, output), OutputChange::none);  // not retried at every frame
    EXPECT_EQ(output.opens, 2);
    EXPECT_EQ(follower.update(520, output), OutputChange::none);  // retried, still none
    EXPECT_EQ(output.opens, 3);

    output.device_present = true;
    follower.device_added();  // an arrival is tried at once
    EXPECT_EQ(follower.update(530, output), OutputChange::found);
    EXPECT_FALSE(follower.silent());
}

// The real output on SDL's dummy driver, the removal coming through SDL's event stream.
TEST(OutputDevices, SoundsAndMusicCarryOnWhenTheDeviceIsUnplugged) {
    testing_support::TempDir temp;
    platform::install_sdl_services();
    const auto services = testing_support::install_test_services(temp);
    rt::delete_error_log();
    std::vector<std::uint8_t> samples(22050 * 4 * 4, 0);
    for (std::size_t i = 0; i < samples.size(); i += 2) samples[i + 1] = (i / 100) % 2 ? 0x20 : 0xE0;
    audio_tests::WavBuilder().format(1, 2, 22050, 16).chunk("data", samples).write(temp.path() / "long.wav");

    rt::create_sound_slots();
    ASSERT_TRUE(rt::init_sound_device());
    rt::load_sound((temp.path() / "long.wav").string(), 0, 1);
    const double channel = rt::play_sound(0, 0, 1);
    rt::play_music((temp.path() / "long.wav").string());
    rt::set_music_volume(0.4);
    const double restart_at = rt::music_state().music_restart_ms;

    platform::push_audio_device_event(false);
    services.clock->advance(100);
    rt::restart_music_if_due();
    EXPECT_NE(testing_support::read_file(rt::error_log_path()).find("Sound device changed"), std::string::npos);
    EXPECT_EQ(rt::sound_playing(channel), 1.0);
    EXPECT_TRUE(platform::services().music->is_open());
    EXPECT_EQ(rt::music_state().music_restart_ms, restart_at);

    rt::stop_music();
    rt::release_sound();
    platform::services().music.reset();
    platform::services().sound.reset();
}

}  // namespace
