#include <gtest/gtest.h>

#include <vector>

#include "platform/pcm_mixer.h"

namespace {

using platform::PcmMixer;

std::vector<std::uint8_t> le16(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::int16_t v : values) bytes.insert(bytes.end(), {std::uint8_t(v & 0xFF), std::uint8_t((v >> 8) & 0xFF)});
    return bytes;
}

std::vector<std::int16_t> render(PcmMixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2, 0);
    mixer.mix_into(out);
    return out;
}

const platform::PcmFormat mono16{1, 22050, 16, 2};

TEST(PcmMixer, VolumeAndPanFollowTenToTheMbOver2000PerSide) {
    EXPECT_NEAR(platform::gain_for_millibels(-600), 0.50119f, 1e-4);
    EXPECT_EQ(platform::gain_for_millibels(-10000), 0.0f);

    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16({1000, -2000, 3000}), true);
    ASSERT_TRUE(buffer);
    buffer->set_volume(-2000);
    buffer->set_pan(-2000);  // right side another 20 dB down
    buffer->play();
    EXPECT_EQ(render(*mixer, 5), (std::vector<std::int16_t>{100, 10, -200, -20, 300, 30, 0, 0, 0, 0}));

    // Played to its end it stops, back at the start.
    EXPECT_FALSE(buffer->status()->playing);
    buffer->set_pan(10000);
    buffer->play();
    EXPECT_EQ(render(*mixer, 1), (std::vector<std::int16_t>{0, 100}));

    // Stop keeps the position; positions are bytes of the buffer's format.
    buffer->stop();
    EXPECT_EQ(render(*mixer, 1)[1], 0);
    buffer->play();
    EXPECT_EQ(render(*mixer, 1)[1], -200);
    buffer->set_position(4);
    EXPECT_EQ(render(*mixer, 1)[1], 300);
}

TEST(PcmMixer, ConvertsDepthAndRateOfTheSamples) {
    auto mixer = PcmMixer::create();
    // Unsigned 8-bit at half the output rate: interpolated between frames.
    auto slow = mixer->create_buffer({1, 11025, 8, 1}, std::vector<std::uint8_t>{128, 192, 64}, true);
    ASSERT_TRUE(slow);
    slow->play();
    const auto out = render(*mixer, 7);
    const std::vector<std::int16_t> left{out[0], out[2], out[4], out[6], out[8], out[10], out[12]};
    EXPECT_EQ(left, (std::vector<std::int16_t>{0, 8192, 16384, 0, -16384, -16384, 0}));
    EXPECT_EQ(out[1], out[0]);  // mono goes to both sides

    // 24-bit stereo in a 6-byte block: the top 16 bits of each side.
    auto wide = mixer->create_buffer({2, 22050, 24, 6}, std::vector<std::uint8_t>{0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF},
                                     true);
    ASSERT_TRUE(wide);
    wide->play();
    EXPECT_EQ(render(*mixer, 1), (std::vector<std::int16_t>{0x1234, -1}));

    EXPECT_FALSE(mixer->create_buffer({1, 22050, 12, 2}, le16({1, 2}), true));
    EXPECT_FALSE(mixer->create_buffer({2, 22050, 16, 2}, le16({1, 2}), true));  // block too small for two sides
    EXPECT_FALSE(mixer->create_buffer({1, 22050, 32, 4}, le16({1}), true));     // not one whole frame
}

TEST(PcmMixer, DuplicatesShareSamplesButPlayOnTheirOwn) {
    auto mixer = PcmMixer::create();
    auto buffer = mixer->create_buffer(mono16, le16({20000, 20000, 20000, 20000}), true);
    auto copy = buffer->duplicate();
    ASSERT_TRUE(copy);
    buffer->play();
    copy->play();
    copy->set_volume(-10000);
    EXPECT_EQ(render(*mixer, 1)[0], 20000);
    copy->set_volume(0);
    EXPECT_EQ(render(*mixer, 1)[0], 32767);  // two copies saturate
    buffer.reset();
    EXPECT_EQ(render(*mixer, 1)[0], 20000);  // the copy keeps the samples alive
    copy.reset();
    EXPECT_EQ(mixer->buffer_count(), 0u);

    // Without controls: full level, centred.
    auto plain = mixer->create_buffer(mono16, le16({1000}), false);
    EXPECT_FALSE(plain->set_volume(-5000));
    EXPECT_FALSE(plain->set_pan(10000));
    plain->play();
    EXPECT_EQ(render(*mixer, 1), (std::vector<std::int16_t>{1000, 1000}));
}

}  // namespace
