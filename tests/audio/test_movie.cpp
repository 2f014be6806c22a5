#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/doubles/scripted_input.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/movie.h"
#include "runtime/core/clock.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "tests/audio/loudness.h"
#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;
using platform::doubles::MouseButton;
using platform::doubles::ScriptedInput;

constexpr double old_screen = 200 + 256 * 0 + 65536 * 200;  // what the game showed before
constexpr int key_a = 30;

struct Clip {
    const char* name;
    const char* size;  // 4:3 or 16:9
    const char* codecs;
};
void PrintTo(const Clip& clip, std::ostream* out) { *out << clip.name; }
const Clip clips[] = {
    {"h264.mp4", "320x240", "-c:v libx264 -pix_fmt yuv420p -c:a aac"},
    {"mpeg4.mp4", "320x180", "-c:v mpeg4 -q:v 3 -c:a aac"},
    {"vp8.webm", "320x180", "-c:v libvpx -b:v 1M -c:a libvorbis"},
    {"mjpeg.avi", "320x240", "-c:v mjpeg -q:v 3 -c:a pcm_s16le"},
};

// A counting pattern with an 8-pixel red border and a 440 Hz tone, 2 s at 25 fps.
bool make_clip(const fs::path& path, const std::string& size, const std::string& codecs, bool video = true) {
    const std::string extension = path.extension().string().substr(1);
    const std::string format = extension == "mp4" ? "mp4" : extension == "avi" ? "avi" : "webm";
    const std::string picture = "-f lavfi -i testsrc=size=" + size +
                                ":rate=25:duration=2,drawbox=x=0:y=0:w=iw:h=ih:color=red:t=8 ";
    const std::string command = "cd / && ffmpeg -v error -y " + (video ? picture : std::string()) +
                                "-f lavfi -i sine=frequency=440:duration=2 " + codecs + " -shortest -f " + format +
                                " " + path.string() + ".part >/dev/null 2>&1";
    std::error_code error;
    if (std::system(command.c_str()) == 0) fs::rename(path.string() + ".part", path, error);
    return fs::exists(path);
}

struct Rgb {
    int r, g, b;
};
Rgb pixel(int x, int y) {
    const auto packed = static_cast<long>(rt::read_pixel(x, y));
    return {int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF)};
}
bool is_red(Rgb p) { return p.r > 170 && p.g < 90 && p.b < 90; }
bool is_old(Rgb p) { return std::abs(p.r - 200) < 8 && p.g < 8 && std::abs(p.b - 200) < 8; }

// A real headless window on the virtual clock, scripted input, the real decoder.
class Movie : public ::testing::Test {
protected:
    // Made once per build tree and kept: every test runs in its own process.
    static void SetUpTestSuite() {
        // The build's decoder module: this program does not sit beside it.
        setenv("MARLOWICK_MOVIE_MODULE", MARLOWICK_BIN_DIR "/marlowick-movies.so", 1);
        fs::create_directories(clips_dir());
        for (const Clip& clip : clips) {
            if (!fs::exists(clips_dir() / clip.name)) make_clip(clips_dir() / clip.name, clip.size, clip.codecs);
        }
    }
    static fs::path clips_dir() { return fs::path(MARLOWICK_BIN_DIR) / ".." / "movie-clips"; }

    void SetUp() override {
        platform::install_sdl_services();
        services_ = testing_support::install_test_services(temp_);
        auto input = std::make_unique<ScriptedInput>();
        input_ = input.get();
        platform::services().input = std::move(input);
        testing_support::install_quiet_audio();
        rt::runtime_settings() = rt::RuntimeSettings{};
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_init("movie test", 1);
        ASSERT_TRUE(rt::graphics().gl_ready);
        rt::draw_rect(0, 0, 640, 480, old_screen);
    }
    void TearDown() override {
        if (rt::has_graphics_context() && rt::graphics().window_open) rt::close_gl_window(rt::graphics());
    }

    static fs::path clip(const std::string& name) { return clips_dir() / name; }

    // Plays and returns (result, milliseconds of the runtime's clock it took).
    std::pair<double, double> play(const fs::path& file, bool looped = false) {
        const double before = rt::now_ms();
        const double result = looped ? rt::play_movie_looped(file.string()) : rt::play_movie(file.string());
        return {result, rt::now_ms() - before};
    }

    // Runs `step` once when the movie has played `at_ms`.
    void at(double at_ms, std::function<void()> step) {
        const double start = rt::now_ms();
        input_->on_frame = [=, done = false](ScriptedInput&) mutable {
            if (done || rt::now_ms() - start < at_ms) return;
            done = true;
            step();
        };
    }

    void expect_old_screen_intact() {
        for (const auto& [x, y] : {std::pair{5, 5}, {320, 240}, {634, 474}}) EXPECT_TRUE(is_old(pixel(x, y))) << x;
    }

    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
    ScriptedInput* input_ = nullptr;
};

class EachClip : public Movie, public ::testing::WithParamInterface<Clip> {};

TEST_P(EachClip, PlaysItsLengthScaledToFitAndCentredThenLeavesTheScreenAsItWas) {
    const Clip& c = GetParam();
    ASSERT_TRUE(fs::exists(clip(c.name))) << "ffmpeg could not make " << c.name;
    const bool wide = std::string(c.size) == "320x180";
    const int top = wide ? 60 : 0;  // 2x: 640x360 centred, or the whole 640x480
    const int bottom = wide ? 420 : 480;
    bool seen = false;
    at(1500, [&] {
        seen = true;
        for (const auto& [x, y] : {std::pair{320, top + 5}, {320, bottom - 6}, {5, 240}, {634, 240}}) {
            EXPECT_TRUE(is_red(pixel(x, y))) << "border at " << x << "," << y;
        }
        const Rgb centre = pixel(320, 240);
        EXPECT_FALSE(is_red(centre) || is_old(centre));
        if (wide) {
            EXPECT_TRUE(is_old(pixel(320, top - 3)));
            EXPECT_TRUE(is_old(pixel(320, bottom + 2)));
        }
    });
    const auto [result, took] = play(clip(c.name));
    EXPECT_EQ(result, 0.0);
    EXPECT_TRUE(seen);
    EXPECT_NEAR(took, 2000.0, 40.0);  // one frame at 25 fps
    expect_old_screen_intact();
}

INSTANTIATE_TEST_SUITE_P(Clips, EachClip, ::testing::ValuesIn(clips));

TEST_F(Movie, ItsSoundReachesTheOutput) {
    const fs::path recording = temp_.path() / "output.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
    EXPECT_EQ(play(clip("mjpeg.avi")).first, 0.0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_GT(audio_tests::loudness(testing_support::read_file(recording)), 500.0);
}

TEST_F(Movie, LoopedRepeatsUntilAKeyIsTyped) {
    at(3000, [&] { input_->press_key(key_a); });
    const auto [result, took] = play(clip("vp8.webm"), true);
    EXPECT_EQ(result, 0.0);
    EXPECT_NEAR(took, 3000.0, 40.0);
    expect_old_screen_intact();
}

TEST_F(Movie, AMouseButtonStopsIt) {
    at(700, [&] { input_->button_down(MouseButton::right); });
    const auto [result, took] = play(clip("h264.mp4"), true);
    EXPECT_EQ(result, 0.0);
    EXPECT_NEAR(took, 700.0, 40.0);
}

TEST_F(Movie, AKeyHeldWhenItStartsDoesNotStopIt) {
    input_->press_key(key_a);
    EXPECT_NEAR(play(clip("mjpeg.avi")).second, 2000.0, 40.0);
}

TEST_F(Movie, FilesThatAreNoMovieGiveThreeOrEndCleanlyLeavingNothingOnScreen) {
    std::ofstream(temp_.path() / "text.mp4") << "This is a text file, not a movie.\n";
    ASSERT_TRUE(make_clip(temp_.path() / "sound.mp4", "", "-c:a aac", false));
    const std::string whole = testing_support::read_file(clip("h264.mp4"));
    std::ofstream(temp_.path() / "cut.mp4", std::ios::binary) << whole.substr(0, whole.size() / 2);
    const std::string webm = testing_support::read_file(clip("vp8.webm"));
    std::ofstream(temp_.path() / "cut.webm", std::ios::binary) << webm.substr(0, webm.size() / 2);

    for (const char* name : {"absent.mp4", "text.mp4", "sound.mp4", "cut.mp4"}) {
        EXPECT_EQ(play(temp_.path() / name).first, 3.0) << name;
        expect_old_screen_intact();
    }
    const auto [result, took] = play(temp_.path() / "cut.webm");
    EXPECT_EQ(result, 0.0);
    EXPECT_LT(took, 2100.0);
    expect_old_screen_intact();
}

}  // namespace
