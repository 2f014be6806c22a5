#pragma once
#include <functional>

#include "platform/doubles/recording_music.h"
#include "platform/doubles/recording_sound.h"
#include "platform/doubles/scripted_input.h"
#include "platform/doubles/virtual_clock.h"
#include "tests/support/headless.h"

namespace testing_support {

// Runs the real game headless: a real GL window on the offscreen driver, a
// virtual clock (pacing, the logo hold and the title cost no wall time),
// scripted input, recording audio, and a private program directory holding
// the built media archives. The game's end (terminate_program) is caught.
class GameDriver {
public:
    GameDriver();
    ~GameDriver();
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    // Called at the start of every frame; return false to stop the game there.
    using Player = std::function<bool(GameDriver&)>;

    struct Outcome {
        bool program_ended = false;  // through terminate_program
        int exit_code = 0;
    };
    // The command line is what the game's entry receives ("--handheld=F100").
    Outcome run(Player player, const std::string& command_line = "");

    // Gone once the program has ended.
    platform::doubles::ScriptedInput& input() { return *input_; }
    platform::doubles::VirtualClock& clock() { return *services_.clock; }
    platform::doubles::RecordingMusicPlayer& music();
    platform::doubles::RecordingSoundDevice& sound();
    const std::filesystem::path& program_dir() const { return temp_.path(); }
    std::string error_log() const;

    // True when a choice menu ran since the previous frame (else the game waits
    // for a press, or animates).
    bool menu_shown() const { return menu_shown_; }
    // Points at option k (1..5) of the current menu and clicks it.
    void choose(int option);
    // Clicks in the middle of the screen (continue prompts, title, compo screen).
    void click_anywhere();
    void press_key(int scan_code) { input_->press_key(scan_code); }
    void release_keys() { input_->release_all_keys(); }
    void save_screenshot(const std::filesystem::path& file) const;
    long frame() const { return frame_; }

private:
    void on_frame();

    TempDir temp_;
    TestServices services_{};
    platform::doubles::ScriptedInput* input_ = nullptr;
    Player player_;
    bool menu_shown_ = false;
    double last_menu_calls_ = 0;
    long frame_ = 0;
};

// Clicks through every screen that waits for a press and asks `at_menu` at
// each menu: an option, 0 to stop, -1 to wait a frame. Between clicks the
// pointer rests in a corner, so no option is highlighted on the pictures.
struct MenuPlayer {
    std::function<int(GameDriver&)> at_menu;
    bool fire = false;  // the handheld without touch: its fire button instead of a click
    bool released = true;

    bool operator()(GameDriver& driver);
};

}  // namespace testing_support
