#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/pcm_mixer.h"

namespace {

using platform::PcmFormat;
using platform::PcmMixer;

std::vector<std::uint8_t> le16_samples(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::int16_t v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<std::uint8_t> bytes(std::initializer_list<std::uint8_t> values) { return values; }

std::vector<std::int16_t> render(PcmMixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2, 0);
    mixer.mix_into(out);
    return out;
}

const PcmFormat mono16{1, 22050, 16, 2};

TEST(GainLaw, HundredthsOfADecibelGiveTenToTheMbOver2000) {
    EXPECT_FLOAT_EQ(platform::gain_for_millibels(0), 1.0f);
    EXPECT_NEAR(platform::gain_for_millibels(-2000), 0.1f, 1e-6);
    EXPECT_NEAR(platform::gain_for_millibels(-600), 0.50119f, 1e-4);
    EXPECT_EQ(platform::gain_for_millibels(-10000), 0.0f);
    EXPECT_EQ(platform::gain_for_millibels(-20000), 0.0f);

    const auto left = platform::gain_for_volume_and_pan(-2000, -4000);
    EXPECT_NEAR(left.left, 0.1f, 1e-6);
    EXPECT_NEAR(left.right, 0.001f, 1e-7);
    const auto right = platform::gain_for_volume_and_pan(0, 10000);
    EXPECT_EQ(right.left, 0.0f);
    EXPECT_EQ(right.right, 1.0f);
}

TEST(PcmMixer, PlaysOnceAtItsGainThenStopsAtTheStart) {
    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16_samples({1000, -2000, 3000}), true);
    ASSERT_TRUE(buffer);
    buffer->set_volume(-2000);
    buffer->set_pan(-2000);  // right side another 20 dB down
    buffer->play();
    const auto out = render(*mixer, 5);
    const std::vector<std::int16_t> expected{100, 10, -200, -20, 300, 30, 0, 0, 0, 0};
    EXPECT_EQ(out, expected);
    EXPECT_FALSE(buffer->status()->playing);

    // Played to its end it starts from the beginning again.
    buffer->play();
    EXPECT_EQ(render(*mixer, 1)[0], 100);
}

TEST(PcmMixer, StopKeepsThePositionAndSetPositionIsInBytes) {
    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16_samples({1, 2, 3, 4, 5}), true);
    buffer->play();
    render(*mixer, 2);
    buffer->stop();
    EXPECT_EQ(render(*mixer, 1)[0], 0);
    buffer->play();
    EXPECT_EQ(render(*mixer, 1)[0], 3);
    buffer->set_position(8);  // frame 4
    EXPECT_EQ(render(*mixer, 1)[0], 5);
}

TEST(PcmMixer, ResamplesEightBitMonoAtItsOwnRate) {
    auto mixer = PcmMixer::create();
    // Unsigned 8-bit at half the output rate: each frame lasts two output frames.
    auto buffer = mixer->create_buffer({1, 11025, 8, 1}, bytes({128, 192, 64}), true);
    ASSERT_TRUE(buffer);
    buffer->play();
    const auto out = render(*mixer, 7);
    const std::vector<std::int16_t> left{out[0], out[2], out[4], out[6], out[8], out[10], out[12]};
    const std::vector<std::int16_t> expected{0, 8192, 16384, 0, -16384, -16384, 0};
    EXPECT_EQ(left, expected);
    EXPECT_EQ(out[1], out[0]);  // mono goes to both sides
}

TEST(PcmMixer, StereoAndWiderSamplesUseTheTopSixteenBits) {
    auto mixer = PcmMixer::create();
    // 24-bit stereo in a 6-byte block: left 0x123456, right -1 (0xFFFFFF).
    auto buffer = mixer->create_buffer({2, 22050, 24, 6}, bytes({0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}), true);
    ASSERT_TRUE(buffer);
    buffer->play();
    const auto out = render(*mixer, 1);
    EXPECT_EQ(out[0], 0x1234);
    EXPECT_EQ(out[1], -1);
}

TEST(PcmMixer, DuplicatesShareSamplesButPlayOnTheirOwn) {
    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16_samples({20000, 20000, 20000, 20000}), true);
    auto copy = buffer->duplicate();
    ASSERT_TRUE(copy);
    EXPECT_EQ(mixer->buffer_count(), 2u);
    buffer->play();
    copy->play();
    copy->set_volume(-10000);
    EXPECT_EQ(render(*mixer, 1)[0], 20000);
    copy->set_volume(0);
    EXPECT_EQ(render(*mixer, 1)[0], 32767);  // two copies saturate
    buffer->stop();
    EXPECT_TRUE(copy->status()->playing);
    buffer.reset();
    EXPECT_EQ(render(*mixer, 1)[0], 20000);  // the copy keeps the samples alive
    copy.reset();
    EXPECT_EQ(mixer->buffer_count(), 0u);
}

TEST(PcmMixer, BuffersWithoutControlsPlayAtFullLevel) {
    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16_samples({1000}), false);
    EXPECT_FALSE(buffer->set_volume(-5000));
    EXPECT_FALSE(buffer->set_pan(10000));
    buffer->play();
    const auto out = render(*mixer, 1);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 1000);
}

TEST(PcmMixer, RefusesFormatsItCannotPlay) {
    auto mixer = PcmMixer::create();
    const auto two = le16_samples({1, 2});
    EXPECT_FALSE(mixer->create_buffer({1, 22050, 12, 2}, two, true));
    EXPECT_FALSE(mixer->create_buffer({1, 50, 16, 2}, two, true));
    EXPECT_FALSE(mixer->create_buffer({2, 22050, 16, 2}, two, true));  // block too small for two channels
    EXPECT_FALSE(mixer->create_buffer({1, 22050, 32, 4}, bytes({1, 2}), true));  // not one whole frame
    EXPECT_TRUE(mixer->create_buffer({1, 22050, 32, 4}, bytes({1, 2, 3, 4, 5}), true));
}

}  // namespace
