#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/sound.h"
#include "tests/audio/loudness.h"
#include "tests/support/headless.h"

namespace {

using namespace std::chrono_literals;

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// The real SDL sound device and music player, on whichever driver the test picks.
class SdlAudio : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        platform::install_sdl_services();
        testing_support::install_test_services(temp_);
        std::filesystem::current_path(temp_.path());  // the tools run here
    }
    void TearDown() override {
        rt::release_sound();
        platform::services().music.reset();
        platform::services().sound.reset();
    }

    // A 441 Hz sine at half of full scale, written by sox.
    std::string make_tone(const std::string& name, double seconds, const std::string& options = "-b 16 -c 1") {
        const std::string path = (temp_.path() / name).string();
        const std::string command = "sox -D -n -r 22050 " + options + " " + path + " synth " +
                                    std::to_string(seconds) + " sine 441 vol 0.5";
        if (!run(command)) return {};
        return path;
    }

    testing_support::TempDir temp_;
};

TEST_F(SdlAudio, MusicPlayerReportsTheLengthOfMp3AndWav) {
    const std::string wav = make_tone("music.wav", 3.0, "-b 16 -c 2");
    ASSERT_FALSE(wav.empty()) << "sox is needed";
    const std::string mp3 = (temp_.path() / "music.mp3").string();
    ASSERT_TRUE(run("lame --quiet -b 64 " + wav + " " + mp3)) << "lame is needed";

    platform::MusicPlayer& music = *platform::services().music;
    for (const std::string& path : {wav, mp3}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(music.open(path));
        ASSERT_TRUE(music.length_ms().has_value());
        EXPECT_NEAR(*music.length_ms(), 3000.0, 100.0);
        EXPECT_TRUE(music.seek_to_start());
        EXPECT_TRUE(music.play());
        EXPECT_TRUE(music.set_volume(250));
        EXPECT_TRUE(music.stop());
        EXPECT_TRUE(music.play());
        music.close();
        EXPECT_FALSE(music.is_open());
    }
    std::ofstream(temp_.path() / "noise.mp3") << "not music at all";
    EXPECT_FALSE(music.open((temp_.path() / "noise.mp3").string()));
    EXPECT_FALSE(music.open((temp_.path() / "absent.mp3").string()));
    EXPECT_FALSE(music.length_ms().has_value());
}

// Renders a short play through SDL's disk driver and listens to the file.
TEST_F(SdlAudio, EndToEndThePlayIsHeardAtItsLevelAndStopsOnStopAllSounds) {
    const std::string tone = make_tone("tone.wav", 3.0);
    ASSERT_FALSE(tone.empty()) << "sox is needed";
    const std::string recording = (temp_.path() / "output.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);

    rt::create_sound_slots();
    const bool opened = rt::init_sound_device();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(opened);
    rt::load_sound(tone, 0, 1);
    std::this_thread::sleep_for(150ms);
    ASSERT_EQ(rt::play_sound(0, 0, 0.8), 0);  // -20 dB: a tenth of the amplitude
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(rt::sound_playing(0), 1.0);
    rt::stop_all_sounds();
    EXPECT_EQ(rt::sound_playing(0), 0.0);
    std::this_thread::sleep_for(500ms);
    rt::release_sound();
    platform::services().sound.reset();
    platform::services().music.reset();  // the output closes with its last holder

    const std::string raw = testing_support::read_file(recording);
    const std::size_t frames = raw.size() / 4;
    ASSERT_GT(frames, 22050u / 2);  // about 1.1 s of wall time passed
    const auto heard = [&](std::size_t frame) { return raw.substr(4 * frame, 4) != std::string(4, '\0'); };
    std::size_t first = 0;
    std::size_t last = frames - 1;
    while (first < frames && !heard(first)) ++first;
    while (last > first && !heard(last)) --last;
    ASSERT_LT(first, frames) << "nothing was heard";
    const double heard_ms = (last - first) * 1000.0 / 22050.0;
    EXPECT_GT(heard_ms, 150.0);   // loose bounds: a busy machine may starve the audio thread
    EXPECT_LT(heard_ms, 1500.0);  // cut off well before the tone's 3 s
    EXPECT_GT((frames - last) * 1000.0 / 22050.0, 150.0);  // silent after the stop

    // Level: a sine of amplitude 16384 x 0.1 has an RMS of about 1158, the same on both sides.
    for (int side = 0; side < 2; ++side) {
        std::string samples;
        for (std::size_t i = first + 100; i + 100 < last; ++i) samples += raw.substr(4 * i + 2 * side, 2);
        EXPECT_NEAR(audio_tests::loudness(samples), 16384 * 0.1 / std::sqrt(2.0), 40.0) << "side " << side;
    }
}

}  // namespace
