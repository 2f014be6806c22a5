#include <gtest/gtest.h>

#include <algorithm>

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
        rt::create_sound_slots();
        ASSERT_TRUE(rt::init_sound_device());
        WavBuilder().format(1, 1, 22050, 16).chunk("data", pcm16({0, 1000, -1000, 0})).write(wav());
    }
    void TearDown() override {
        rt::release_sound();
        platform::services().sound.reset();
    }

    std::string wav() const { return (temp_.path() / "beep.wav").string(); }

    // Buffer ids of the plays recorded since `from`, in order.
    std::vector<std::string> events_since(std::size_t from) const {
        return {device_->events.begin() + static_cast<std::ptrdiff_t>(from), device_->events.end()};
    }

    testing_support::TempDir temp_;
    RecordingSoundDevice* device_ = nullptr;
};

TEST_F(SoundSlots, BufferCountsAreClampedToOneToFourAndDuplicatesShareSamples) {
    rt::load_sound(wav(), 0, 0);
    rt::load_sound(wav(), 1, 9);
    rt::load_sound(wav(), 2, 2.9);
    EXPECT_EQ(rt::sound_slot(0).buffer_count, 1);
    EXPECT_EQ(rt::sound_slot(1).buffer_count, 4);
    EXPECT_EQ(rt::sound_slot(2).buffer_count, 2);

    // Slot 1: buffer 0 made from the file, three duplicates of it.
    const auto& first = device_->buffer(1);
    for (int id = 2; id <= 4; ++id) {
        EXPECT_EQ(device_->buffer(id).duplicate_of, 1);
        EXPECT_EQ(device_->buffer(id).samples, first.samples);
    }
    EXPECT_EQ(first.format.samples_per_second, 22050);
    EXPECT_EQ(first.samples->size(), 8u);
}

TEST_F(SoundSlots, ABusySingleBufferPlaysOnce) {
    rt::load_sound(wav(), 5, 1);
    EXPECT_EQ(rt::play_sound(5, 0, 1), 5 * 256);
    EXPECT_EQ(rt::play_sound(5, 0, 1), -1);
    EXPECT_EQ(device_->buffer(0).plays, 1);
    EXPECT_EQ(rt::sound_playing(5 * 256), 1.0);

    // Once it has finished, the same buffer plays again from where it is.
    device_->buffer(0).playing = false;
    EXPECT_EQ(rt::sound_playing(5 * 256), 0.0);
    EXPECT_EQ(rt::play_sound(5, 0, 1), 5 * 256);
    EXPECT_EQ(device_->buffer(0).plays, 2);
}

TEST_F(SoundSlots, RoundRobinCutsOffTheOldestPlay) {
    rt::load_sound(wav(), 3, 3);
    const std::size_t start = device_->events.size();
    EXPECT_EQ(rt::play_sound(3, 0, 1), 768);
    EXPECT_EQ(rt::play_sound(3, 0, 1), 769);
    EXPECT_EQ(rt::play_sound(3, 0, 1), 770);
    EXPECT_EQ(rt::play_sound(3, 0, 1), 768);

    std::vector<std::string> plays_and_rewinds;
    for (const std::string& event : events_since(start)) {
        if (event.starts_with("play") || event.starts_with("stop") || event.starts_with("position")) {
            plays_and_rewinds.push_back(event);
        }
    }
    const std::vector<std::string> expected{"play 0", "play 1", "play 2", "stop 0", "position 0 0", "play 0"};
    EXPECT_EQ(plays_and_rewinds, expected);
    EXPECT_EQ(device_->buffer(0).plays, 2);

    // A finished buffer ahead in the ring is reused without cutting anything off.
    device_->buffer(1).playing = false;
    EXPECT_EQ(rt::play_sound(3, 0, 1), 769);
}

TEST_F(SoundSlots, VolumeAndPanReachTheDeviceInHundredthsOfADecibel) {
    rt::load_sound(wav(), 0, 4);
    struct Case {
        double pan, volume;
        int device_pan, device_volume;
    };
    const Case cases[] = {{0, 1, 0, 0},           {0, 0.5, 0, -5000},   {0, 0, 0, -10000},
                          {-1, 1, -10000, 0},     {1, 1, 10000, 0},     {0.25, 0.999, 2500, -100},
                          {-7, 3, -10000, 0},     {7, -3, 10000, -10000}};
    for (const Case& c : cases) {
        const double channel = rt::play_sound(0, c.pan, c.volume);
        ASSERT_GE(channel, 0);
        const auto& buffer = device_->buffer(static_cast<int>(channel));
        EXPECT_EQ(buffer.volume, c.device_volume) << c.volume;
        EXPECT_EQ(buffer.pan, c.device_pan) << c.pan;
        device_->buffer(static_cast<int>(channel)).playing = false;
    }
}

TEST_F(SoundSlots, SlotsAbove127FoldTo127) {
    rt::load_sound(wav(), 300, 1);
    EXPECT_EQ(rt::sound_slot(127).buffer_count, 1);
    EXPECT_EQ(rt::sound_slot(255).buffer_count, 0);
    EXPECT_EQ(rt::play_sound(200, 0, 1), 127 * 256);
    EXPECT_EQ(rt::sound_playing(127 * 256), 1.0);
    EXPECT_EQ(rt::sound_playing(-1), 0.0);
    EXPECT_EQ(rt::sound_playing(127 * 256 + 1), 0.0);  // no such buffer
    EXPECT_EQ(rt::sound_playing(1e12), 0.0);
}

TEST_F(SoundSlots, StopAllSoundsStopsAndRewindsEveryBuffer) {
    rt::load_sound(wav(), 0, 2);
    rt::load_sound(wav(), 127, 1);
    rt::play_sound(0, 0, 1);
    rt::play_sound(0, 0, 1);
    rt::play_sound(127, 0, 1);
    device_->buffer(2).position = 6;
    rt::stop_all_sounds();
    for (const auto& buffer : device_->buffers) {
        EXPECT_FALSE(buffer->playing);
        EXPECT_EQ(buffer->position, 0u);
    }
    EXPECT_EQ(rt::sound_playing(0), 0.0);
}

TEST_F(SoundSlots, ReloadingReleasesTheOldBuffersAndAFailedLoadLeavesTheSlotEmpty) {
    rt::load_sound(wav(), 4, 2);
    rt::play_sound(4, 0, 1);
    rt::load_sound(wav(), 4, 1);
    EXPECT_TRUE(device_->buffer(0).released);
    EXPECT_TRUE(device_->buffer(1).released);
    EXPECT_EQ(device_->live_buffers(), 1);
    EXPECT_EQ(rt::sound_slot(4).buffer_count, 1);

    rt::load_sound((temp_.path() / "none.wav").string(), 4, 3);
    EXPECT_EQ(rt::sound_slot(4).buffer_count, 0);
    EXPECT_EQ(device_->live_buffers(), 0);
    EXPECT_EQ(rt::play_sound(4, 0, 1), -1);
}

TEST_F(SoundSlots, BuffersWithoutVolumeAndPanStillLoadAndPlay) {
    device_->controls_available = false;
    rt::load_sound(wav(), 0, 2);
    ASSERT_EQ(rt::sound_slot(0).buffer_count, 2);
    EXPECT_FALSE(device_->buffer(0).with_controls);
    EXPECT_EQ(rt::play_sound(0, -1, 0.5), 0);
    EXPECT_EQ(device_->buffer(0).volume, 0);  // unchanged: full level, centred
    EXPECT_EQ(device_->buffer(0).pan, 0);

    // No buffer at all: the slot stays empty and forgets its device.
    device_->buffers_available = false;
    rt::load_sound(wav(), 1, 1);
    EXPECT_EQ(rt::sound_slot(1).buffer_count, 0);
    EXPECT_EQ(rt::sound_slot(1).device, nullptr);
}

TEST_F(SoundSlots, LostBuffersAreRestoredBeforePlaying) {
    rt::load_sound(wav(), 0, 1);
    device_->buffer(0).lost = true;
    EXPECT_EQ(rt::play_sound(0, 0, 1), 0);
    EXPECT_FALSE(device_->buffer(0).lost);

    device_->buffer(0).playing = false;
    device_->buffer(0).lost = true;
    device_->buffer(0).restore_succeeds = false;
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);

    device_->buffer(0).lost = false;
    device_->buffer(0).play_fails = true;
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);
}

TEST_F(SoundSlots, ReleaseStopsAndReleasesEverythingAndClosesTheDevice) {
    rt::load_sound(wav(), 0, 3);
    rt::play_sound(0, 0, 1);
    rt::release_sound();
    EXPECT_EQ(device_->live_buffers(), 0);
    EXPECT_FALSE(device_->is_open());
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);
    rt::stop_all_sounds();  // harmless after release
}

TEST(SoundWithoutDevice, EveryCommandDoesNothing) {
    testing_support::TempDir temp;
    testing_support::install_test_services(temp);
    auto device = std::make_unique<RecordingSoundDevice>();
    device->available = false;
    RecordingSoundDevice& recording = *device;
    platform::services().sound = std::move(device);
    WavBuilder().format(1, 1, 22050, 16).chunk("data", pcm16({1, 2})).write(temp.path() / "a.wav");

    rt::create_sound_slots();
    EXPECT_FALSE(rt::init_sound_device());
    rt::load_sound((temp.path() / "a.wav").string(), 0, 1);
    EXPECT_EQ(rt::sound_slot(0).buffer_count, 0);
    EXPECT_EQ(rt::play_sound(0, 0, 1), -1);
    EXPECT_EQ(rt::sound_playing(0), 0);
    rt::stop_all_sounds();
    EXPECT_TRUE(recording.buffers.empty());
    rt::release_sound();
    platform::services().sound.reset();
}

}  // namespace
