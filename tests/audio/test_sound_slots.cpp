#include <gtest/gtest.h>

#include "platform/doubles/recording_sound.h"
#include "platform/services.h"
#include "runtime/audio/sound.h"
#include "tests/audio/wav_builder.h"
#include "tests/support/headless.h"

namespace {

using audio_tests::pcm16;
using audio_tests::WavBuilder;
using platform::doubles::RecordingSoundDevice;

class SoundSlots : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::install_test_services(temp_);
        auto device = std::make_unique<RecordingSoundDevice>();
        device_ = device.get();
        platform::services().sound = std::move(device);
        WavBuilder().format(1, 1, 22050, 16).chunk("data", pcm16({0, 1000, -1000, 0})).write(wav_);
        rt::create_sound_slots();
    }
    void TearDown() override {
        rt::release_sound();
        platform::services().sound.reset();
    }

    // The plays, stops and rewinds recorded since `from`.
    std::vector<std::string> transport_events(std::size_t from) const {
        std::vector<std::string> found;
        for (std::size_t i = from; i < device_->events.size(); ++i) {
            const std::string& event = device_->events[i];
            if (event.starts_with("play") || event.starts_with("stop") || event.starts_with("position")) {
                found.push_back(event);
            }
        }
        return found;
    }

    testing_support::TempDir temp_;
    std::string wav_ = (temp_.path() / "beep.wav").string();
    RecordingSoundDevice* device_ = nullptr;
};

TEST_F(SoundSlots, BufferCountsAndSlotNumbersAreClamped) {
    ASSERT_TRUE(rt::init_sound_device());
    rt::load_sound(wav_, 0, 0);
    rt::load_sound(wav_, 1, 9);
    rt::load_sound(wav_, 300, 2.9);
    EXPECT_EQ(rt::sound_slot(0).buffer_count, 1);
    EXPECT_EQ(rt::sound_slot(1).buffer_count, 4);
    EXPECT_EQ(rt::sound_slot(127).buffer_count, 2);
    EXPECT_EQ(rt::sound_slot(255).buffer_count, 0);

    // Slot 1: buffer 0 from the file, three duplicates sharing its samples.
    for (int id = 2; id <= 4; ++id) {
        EXPECT_EQ(device_->buffer(id).duplicate_of, 1);
        EXPECT_EQ(device_->buffer(id).samples, device_->buffer(1).samples);
    }
    EXPECT_EQ(rt::play_sound(200, 0, 1), 127 * 256);
    EXPECT_EQ(rt::sound_playing(127 * 256), 1.0);
    EXPECT_EQ(rt::sound_playing(127 * 256 + 2), 0.0);  // no such buffer
    EXPECT_EQ(rt::sound_playing(-1), 0.0);
}

TEST_F(SoundSlots, BusyBuffersAreTakenRoundRobinCuttingOffTheOldest) {
    ASSERT_TRUE(rt::init_sound_device());
    rt::load_sound(wav_, 5, 1);
    EXPECT_EQ(rt::play_sound(5, 0, 1), 5 * 256);
    EXPECT_EQ(rt::play_sound(5, 0, 1), -1);  // a single busy buffer plays once
    device_->buffer(0).playing = false;     // finished: it plays again
    EXPECT_EQ(rt::play_sound(5, 0, 1), 5 * 256);

    rt::load_sound(wav_, 3, 3);
    const std::size_t start = device_->events.size();
    const double expected_channels[] = {768, 769, 770, 768};
    for (double channel : expected_channels) EXPECT_EQ(rt::play_sound(3, 0, 1), channel);
    EXPECT_EQ(transport_events(start),
              (std::vector<std::string>{"play 1", "play 2", "play 3", "stop 1", "position 1 0", "play 1"}));

    // A finished buffer next in the ring is reused without cutting anything off.
    device_->buffer(2).playing = false;
    const std::size_t later = device_->events.size();
    EXPECT_EQ(rt::play_sound(3, 0, 1), 769);
    EXPECT_EQ(transport_events(later), (std::vector<std::string>{"play 2"}));
}

TEST_F(SoundSlots, VolumeAndPanReachTheDeviceInHundredthsOfADecibel) {
    ASSERT_TRUE(rt::init_sound_device());
    rt::load_sound(wav_, 0, 1);
    struct Case {
        double pan, volume;
        int device_pan, device_volume;
    };
    const Case cases[] = {{0, 1, 0, 0},         {0, 0.5, 0, -5000},       {0, 0, 0, -10000},
                          {-1, 1, -10000, 0},   {0.25, 0.999, 2500, -100}, {7, -3, 10000, -10000}};
    for (const Case& c : cases) {
        ASSERT_EQ(rt::play_sound(0, c.pan, c.volume), 0);
        EXPECT_EQ(device_->buffer(0).volume, c.device_volume) << c.volume;
        EXPECT_EQ(device_->buffer(0).pan, c.device_pan) << c.pan;
        device_->buffer(0).playing = false;
    }
}

TEST_F(SoundSlots, StopReloadAndReleaseRewindAndFreeBuffers) {
    ASSERT_TRUE(rt::init_sound_device());
    rt::load_sound(wav_, 0, 2);
    rt::load_sound(wav_, 127, 1);
    rt::play_sound(0, 0, 1);
    rt::play_sound(0, 0, 1);
    rt::play_sound(127, 0, 1);
    device_->buffer(1).position = 6;
    rt::stop_all_sounds();
    for (const auto& buffer : device_->buffers) {
        EXPECT_FALSE(buffer->playing);
        EXPECT_EQ(buffer->position, 0u);
    }

    rt::load_sound(wav_, 0, 1);  // the old two buffers go
    EXPECT_TRUE(device_->buffer(0).released && device_->buffer(1).released);
    rt::load_sound((temp_.path() / "none.wav").string(), 127, 3);
    EXPECT_EQ(rt::sound_slot(127).buffer_count, 0);
    EXPECT_EQ(rt::play_sound(127, 0, 1), -1);
    EXPECT_EQ(device_->live_buffers(), 1);

    rt::release_sound();
    EXPECT_EQ(device_->live_buffers(), 0);
    EXPECT_FALSE(device_->is_open());
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);
}

TEST_F(SoundSlots, DevicesWithFewerAbilitiesStillPlayWhatTheyCan) {
    ASSERT_TRUE(rt::init_sound_device());
    device_->controls_available = false;
    rt::load_sound(wav_, 0, 2);
    ASSERT_EQ(rt::sound_slot(0).buffer_count, 2);
    EXPECT_EQ(rt::play_sound(0, -1, 0.5), 0);
    EXPECT_EQ(device_->buffer(0).volume, 0);  // full level, centred
    EXPECT_EQ(device_->buffer(0).pan, 0);

    // A lost buffer is restored first; one that cannot be restored does not play.
    device_->buffer(0).playing = false;
    device_->buffer(0).lost = true;
    EXPECT_EQ(rt::play_sound(0, 0, 1), 0);
    device_->buffer(0).playing = false;
    device_->buffer(0).lost = true;
    device_->buffer(0).restore_succeeds = false;
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);

    device_->buffers_available = false;
    rt::load_sound(wav_, 1, 1);
    EXPECT_EQ(rt::sound_slot(1).buffer_count, 0);
    EXPECT_EQ(rt::sound_slot(1).device, nullptr);
}

TEST_F(SoundSlots, WithoutADeviceEveryCommandDoesNothing) {
    device_->available = false;
    EXPECT_FALSE(rt::init_sound_device());
    rt::load_sound(wav_, 0, 1);
    EXPECT_EQ(rt::sound_slot(0).buffer_count, 0);
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);
    EXPECT_EQ(rt::sound_playing(0), 0);
    rt::stop_all_sounds();
    EXPECT_TRUE(device_->buffers.empty());
}

}  // namespace
