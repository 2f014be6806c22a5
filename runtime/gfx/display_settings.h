#pragma once
// The player's own choices about the window: full screen or not, the window
// size and the scaling, remembered between runs in a small settings file,
// and the command line's say over them.
#include <optional>
#include <string>

#include "platform/screen_fit.h"
#include "platform/window.h"

namespace rt {

// Choices from the command line.
struct DisplayOptions {
    std::optional<bool> fullscreen;     // --fullscreen / --windowed
    bool exclusive_fullscreen = false;  // switch the display mode for full screen
    bool busy_wait = false;             // the literal busy loop between frames
};

// What the settings file keeps.
struct DisplaySettings {
    std::optional<bool> fullscreen;  // the player's last choice
    std::optional<platform::Size> window_size;
    platform::Scaling scaling = platform::Scaling::automatic;
    bool operator==(const DisplaySettings&) const = default;
};

// Missing or unreadable values stay unset; nothing here fails.
DisplaySettings read_display_settings(const std::string& path);
bool write_display_settings(const std::string& path, const DisplaySettings& settings);

// Before runtime_init: where the settings live ("" remembers nothing) and the
// command line's choices.
void use_display_settings(const std::string& settings_path, const DisplayOptions& options);
const DisplayOptions& display_options();
const DisplaySettings& display_settings();
platform::WindowPreferences window_preferences();

// The full-screen state a request of the game turns into: the command line
// wins, then the player's remembered choice, then the request.
bool chosen_fullscreen(bool requested);

// Alt+Enter: switches between full screen and window and remembers the choice.
void toggle_fullscreen();
// Writes the file when something changed (the window size, say).
void save_display_settings();

// F12: the next finished frame is saved as a picture (see take_requested_screenshot).
void request_screenshot();
// Called with the finished canvas bound, before it is shown.
void take_requested_screenshot();
// Saves the canvas as "marlowick-YYYYMMDD-HHMMSS.png" in `dir` (created when
// missing); the path, or "" when it could not be written.
std::string save_canvas_screenshot(const std::string& dir);

}  // namespace rt
