#include "tests/support/game_driver.h"

#include "game/game.h"
#include "game/globals.h"
#include "game/menu.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"

namespace testing_support {
namespace {

// Thrown from the frame hook to leave the game's never-ending loop.
struct StopGame {};

void reset_game_globals() {
    game::opt = game::screendrawn = game::hicol = game::hicoldiff = game::pressed = 0;
    game::loaded = game::part = game::mazeloc = game::loc = game::hilite = 0;
    game::maxkern = 640;
    game::mastervolume = 1;
    game::resx = 1;
    game::info_Str = rt::RtString("DESKTOP");
}

}  // namespace

GameDriver::GameDriver() {
    platform::install_sdl_services();
    services_ = install_test_services(temp_, 0.25);
    install_quiet_audio();
    auto input = std::make_unique<platform::doubles::ScriptedInput>();
    input_ = input.get();
    platform::services().input = std::move(input);
    for (const char* archive : {"media.gfx", "media.aud"}) {
        std::filesystem::copy_file(std::filesystem::path(MARLOWICK_BIN_DIR) / archive, temp_.path() / archive);
    }
    rt::runtime_settings() = rt::RuntimeSettings{};
    rt::runtime_state() = rt::RuntimeState{};
    platform::words().clear();
    reset_game_globals();
}

GameDriver::~GameDriver() { rt::runtime_shutdown(); }

GameDriver::Outcome GameDriver::run(Player player, const std::string& command_line) {
    player_ = std::move(player);
    input_->on_frame = [this](platform::doubles::ScriptedInput&) { on_frame(); };
    last_menu_calls_ = game::menu_calls();
    Outcome outcome;
    try {
        game::game_entry(command_line, 10);
    } catch (const StopGame&) {
    } catch (const platform::doubles::ProgramExit& exit) {
        outcome.program_ended = true;
        outcome.exit_code = exit.code;
    }
    // The program's end releases the input devices with the rest of the runtime.
    if (platform::services().input.get() != input_) input_ = nullptr;
    if (input_ != nullptr) input_->on_frame = nullptr;
    return outcome;
}

void GameDriver::on_frame() {
    ++frame_;
    const double calls = game::menu_calls();
    menu_shown_ = calls != last_menu_calls_;
    last_menu_calls_ = calls;
    if (!player_(*this)) throw StopGame{};
}

platform::doubles::RecordingMusicPlayer& GameDriver::music() {
    return dynamic_cast<platform::doubles::RecordingMusicPlayer&>(*platform::services().music);
}

platform::doubles::RecordingSoundDevice& GameDriver::sound() {
    return dynamic_cast<platform::doubles::RecordingSoundDevice&>(*platform::services().sound);
}

std::string GameDriver::error_log() const { return read_file(temp_.path() / "ErrorLog.txt"); }

void GameDriver::choose(int option) {
    const int y = static_cast<int>(game::menu_y()) + 40 + 20 * (option - 1) + 10;
    input_->move_pointer_to(5, y);
    input_->click();
}

void GameDriver::click_anywhere() {
    input_->move_pointer_to(320, 240);
    input_->click();
}

bool MenuPlayer::operator()(GameDriver& driver) {
    if (!released) {
        driver.release_keys();
        driver.input().move_pointer_to(620, 10);
        released = true;
        return true;
    }
    if (!driver.menu_shown()) {
        fire ? driver.press_key(57) : driver.click_anywhere();
        released = false;
        return driver.frame() < 60000;
    }
    const int option = at_menu(driver);
    if (option > 0) {
        driver.choose(option);
        released = false;
    }
    return option != 0;
}

void GameDriver::save_screenshot(const std::filesystem::path& file) const { rt::save_screen(file.string()); }

}  // namespace testing_support
