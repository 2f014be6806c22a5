#include <gtest/gtest.h>

#include <fstream>

#include "platform/doubles/fake_window.h"
#include "platform/doubles/recording_music.h"
#include "platform/doubles/scripted_input.h"
#include "platform/services.h"
#include "runtime/audio/music.h"
#include "runtime/core/clock.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "tests/support/headless.h"

namespace {

using platform::WindowEvent;
using platform::doubles::FakeWindow;
using platform::doubles::ProgramExit;
using platform::doubles::RecordingMusicPlayer;
using platform::doubles::ScriptedInput;

// Music over a recording player, inside the frame loop on a virtual clock.
class Music : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = testing_support::install_test_services(temp_);
        auto window = std::make_unique<FakeWindow>();
        auto music = std::make_unique<RecordingMusicPlayer>();
        window_ = window.get();
        music_ = music.get();
        platform::services().window = std::move(window);
        platform::services().input = std::make_unique<ScriptedInput>();
        platform::services().music = std::move(music);
        rt::runtime_settings() = rt::RuntimeSettings{};
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 0;
        rt::runtime_init("Marlowick", 10);
        std::ofstream(temp_.path() / "song.mp3") << "stands in for music";
    }
    void TearDown() override {
        rt::set_pointer_control({});
        rt::stop_music();
        platform::services().music.reset();
    }

    void play_song() { rt::play_music((temp_.path() / "song.mp3").string()); }

    std::vector<std::string> events_since(std::size_t from) const {
        return {music_->events.begin() + static_cast<std::ptrdiff_t>(from), music_->events.end()};
    }

    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
    FakeWindow* window_ = nullptr;
    RecordingMusicPlayer* music_ = nullptr;
};

TEST_F(Music, EveryPlayMusicStartsFromTheBeginningAtTheNormalLevel) {
    rt::set_music_volume(0.5);  // nothing open: nothing sent
    EXPECT_TRUE(music_->events.empty());
    play_song();
    rt::set_music_volume(0.25);
    EXPECT_EQ(music_->volume, 250);
    rt::set_music_volume(0.2999);
    EXPECT_EQ(music_->volume, 299);

    const std::size_t second = music_->events.size();
    play_song();
    const std::vector<std::string> expected{"stop", "close", "open " + (temp_.path() / "song.mp3").string(),
                                            "seek start", "play", "volume 1000"};
    EXPECT_EQ(events_since(second), expected);
    EXPECT_EQ(music_->starts_from_beginning, 2);
}

TEST_F(Music, APieceRestartsOneLengthAfterItStartedAlsoWhilePaused) {
    rt::set_frame_limit(0);
    play_song();
    const double started = rt::now_ms();

    // Go inactive: the pause loop keeps the music going; the test wakes the
    // window up as soon as the piece restarts.
    double restarted_at = 0.0;
    music_->on_play = [&] {
        if (restarted_at == 0.0) restarted_at = rt::now_ms();
        window_->push_event(WindowEvent::activated);
    };
    window_->push_event(WindowEvent::deactivated);
    rt::pump_messages();
    ASSERT_TRUE(rt::runtime_state().paused);
    rt::present_frame();
    EXPECT_GE(restarted_at - started, 180'000.0);
    EXPECT_LE(restarted_at - started, 180'000.0 + 200.0);  // within the pause loop's 100 ms sleeps
    EXPECT_EQ(events_since(music_->events.size() - 3), (std::vector<std::string>{"play", "seek start", "play"}));

    // And from the running frame loop, once per length.
    music_->on_play = nullptr;
    const std::size_t before = music_->events.size();
    services_.clock->advance(180'000.0);
    rt::present_frame();
    rt::present_frame();
    EXPECT_EQ(music_->events.size(), before + 3);

    // A short or unknown length counts as half a second.
    for (const std::optional<double> length : {std::optional<double>(120.0), std::optional<double>()}) {
        music_->length = length;
        play_song();
        EXPECT_NEAR(rt::music_state().music_restart_ms - rt::now_ms(), 500.0, 1.0);
    }
}

TEST_F(Music, StopMusicAndMissingFilesLeaveNoMusic) {
    rt::stop_music();  // nothing open: harmless
    rt::play_music((temp_.path() / "absent.mp3").string());
    EXPECT_TRUE(music_->events.empty());
    music_->opens_succeed = false;
    play_song();
    EXPECT_FALSE(rt::music_state().music_open);

    music_->opens_succeed = true;
    play_song();
    rt::stop_music();
    EXPECT_FALSE(music_->is_open());
    const std::size_t after = music_->events.size();
    services_.clock->advance(600'000.0);
    rt::present_frame();
    rt::set_music_volume(1);
    EXPECT_EQ(music_->events.size(), after);

    play_song();
    EXPECT_THROW(rt::terminate_program(), ProgramExit);
    EXPECT_FALSE(music_->is_open());
}

TEST_F(Music, PlayMusicEndsThePauseAndRetakesAHiddenPointer) {
    std::vector<double> pointer_calls;
    bool shown = false;
    rt::set_pointer_control({[&] { return shown; }, [&](double on) { pointer_calls.push_back(on); }});
    rt::runtime_state().paused = true;
    play_song();
    EXPECT_FALSE(rt::runtime_state().paused);
    EXPECT_EQ(pointer_calls, (std::vector<double>{1.0, 0.0}));

    shown = true;
    pointer_calls.clear();
    play_song();
    EXPECT_TRUE(pointer_calls.empty());
}

}  // namespace
