#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/midi_length.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/music.h"
#include "tests/audio/loudness.h"
#include "tests/support/headless.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put_be(Bytes& out, std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void put_quantity(Bytes& out, std::uint32_t value) {
    Bytes groups{static_cast<std::uint8_t>(value & 0x7F)};
    while ((value >>= 7) != 0) groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    out.insert(out.end(), groups.begin(), groups.end());
}

// A Standard MIDI File writer for tests: tracks are lists of (delta, bytes).
struct Midi {
    std::uint16_t format = 0;
    std::uint16_t division = 480;
    std::vector<Bytes> tracks;

    static Bytes tempo(std::uint32_t delta, std::uint32_t us_per_beat) {
        Bytes e;
        put_quantity(e, delta);
        e.insert(e.end(), {0xFF, 0x51, 0x03});
        put_be(e, us_per_beat, 3);
        return e;
    }
    // Notes of `ticks` each, the note-off by running status.
    static Bytes notes(std::initializer_list<int> keys, std::uint32_t ticks) {
        Bytes e{0x00, 0xC0, 0x00};
        for (int key : keys) {
            e.insert(e.end(), {0x00, 0x90, std::uint8_t(key), 100});
            put_quantity(e, ticks);
            e.insert(e.end(), {std::uint8_t(key), 0});
        }
        return e;
    }
    Bytes bytes() const {
        Bytes out{'M', 'T', 'h', 'd'};
        put_be(out, 6, 4);
        put_be(out, format, 2);
        put_be(out, static_cast<std::uint32_t>(tracks.size()), 2);
        put_be(out, division, 2);
        for (Bytes track : tracks) {
            track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
            out.insert(out.end(), {'M', 'T', 'r', 'k'});
            put_be(out, static_cast<std::uint32_t>(track.size()), 4);
            out.insert(out.end(), track.begin(), track.end());
        }
        return out;
    }
};

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Four half-second notes at 120 beats per minute: 2 s.
Bytes four_notes() { return Midi{0, 480, {Midi::notes({60, 64, 67, 72}, 480)}}.bytes(); }

TEST(MidiLength, FollowsDivisionTempoChangesAndTheLongestTrack) {
    EXPECT_DOUBLE_EQ(*platform::midi_length_ms(four_notes()), 2000.0);
    // Tempo doubles after two beats: 1000 ms + two beats at 250 ms.
    const Midi faster{0, 96, {concat(Midi::notes({60, 62}, 96), concat(Midi::tempo(0, 250'000), Midi::notes({64, 65}, 96)))}};
    EXPECT_DOUBLE_EQ(*platform::midi_length_ms(faster.bytes()), 1500.0);
    // Format 1: the tempo in the first track applies to the longer second one.
    const Midi two_tracks{1, 480, {Midi::tempo(0, 1'000'000), Midi::notes({60, 62, 64}, 480)}};
    EXPECT_DOUBLE_EQ(*platform::midi_length_ms(two_tracks.bytes()), 3000.0);
    // SMPTE: 25 frames of 40 ticks per second.
    const Midi smpte{0, static_cast<std::uint16_t>((256 - 25) << 8 | 40), {Midi::notes({60}, 2000)}};
    EXPECT_DOUBLE_EQ(*platform::midi_length_ms(smpte.bytes()), 2000.0);
}

TEST(MidiLength, DamagedFilesGiveNothingOrWhatIsThere) {
    const Bytes whole = four_notes();
    EXPECT_FALSE(platform::midi_length_ms(Bytes{'M', 'T', 'h', 'd', 0, 0}));
    EXPECT_FALSE(platform::midi_length_ms(Bytes(whole.begin() + 1, whole.end())));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const auto length = platform::midi_length_ms(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(size)));
        if (length) {
            EXPECT_LE(*length, 2000.0) << size;
        }
    }
    Bytes no_division = whole;
    no_division[12] = no_division[13] = 0;
    EXPECT_FALSE(platform::midi_length_ms(no_division));
}

// The real music player with a General MIDI sound font.
class MidiMusic : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        platform::install_sdl_services();
        services_ = testing_support::install_test_services(temp_);
        const Bytes bytes = four_notes();
        std::ofstream(song_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void TearDown() override {
        rt::stop_music();
        platform::services().music.reset();
        unsetenv("SDL_SOUNDFONTS");
    }
    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
    std::string song_ = (temp_.path() / "song.mid").string();
};

TEST_F(MidiMusic, PlaysAudiblyOnTheDiskDriverWithItsLength) {
    const std::string recording = (temp_.path() / "output.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
    platform::MusicPlayer& music = *platform::services().music;
    const bool opened = music.open(song_);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(opened) << "a General MIDI sound font is needed";
    ASSERT_TRUE(music.length_ms());
    EXPECT_NEAR(*music.length_ms(), 2000.0, 100.0);
    music.seek_to_start();
    music.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    music.close();
    platform::services().music.reset();  // closes the output

    EXPECT_GT(audio_tests::loudness(testing_support::read_file(recording)), 100.0) << "silent";
}

TEST_F(MidiMusic, WithoutASoundFontItIsAFileThatCannotBeOpened) {
    setenv("SDL_SOUNDFONTS", (temp_.path() / "none.sf2").c_str(), 1);
    rt::play_music(song_);
    EXPECT_FALSE(rt::music_state().music_open);
    EXPECT_EQ(rt::music_state().music_restart_ms, 0.0);
}

}  // namespace
