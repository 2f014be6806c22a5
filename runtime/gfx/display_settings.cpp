#include "runtime/gfx/display_settings.h"

#include <charconv>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/services.h"
#include "platform/user_dirs.h"
#include "runtime/core/error_log.h"
#include "runtime/files/key_file.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/window.h"

namespace rt {
namespace {

constexpr std::string_view section = "window";

struct DisplayState {
    std::string path;
    DisplayOptions options;
    DisplaySettings settings;
    std::optional<DisplaySettings> saved;  // what the file holds, when known
    bool screenshot_requested = false;
};

DisplayState& state() {
    static DisplayState instance;
    return instance;
}

std::optional<int> number(const KeyFile& file, std::string_view key) {
    const auto text = file.get(section, key);
    if (!text) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc{} || end != text->data() + text->size()) return std::nullopt;
    return value;
}

// Window sizes outside this range are not a window anyone could use.
bool plausible(int size) { return size >= 64 && size <= 16384; }

void remember_window_size() {
    if (const auto size = platform::services().window->windowed_size()) state().settings.window_size = size;
}

std::string timestamp_name() {
    const std::time_t now = std::time(nullptr);
    const std::tm fields = *std::localtime(&now);  // one thread: the shared buffer is safe
    char text[64];
    std::strftime(text, sizeof text, "marlowick-%Y%m%d-%H%M%S.png", &fields);
    return text;
}

}  // namespace

DisplaySettings read_display_settings(const std::string& path) {
    DisplaySettings settings;
    std::ifstream in(path, std::ios::binary);
    if (!in) return settings;
    KeyFile file;
    file.load(in);
    if (const auto fullscreen = number(file, "fullscreen"); fullscreen && (*fullscreen == 0 || *fullscreen == 1)) {
        settings.fullscreen = *fullscreen == 1;
    }
    const auto width = number(file, "width");
    const auto height = number(file, "height");
    if (width && height && plausible(*width) && plausible(*height)) settings.window_size = platform::Size{*width, *height};
    if (const auto name = file.get(section, "scaling")) {
        settings.scaling = platform::scaling_from_name(*name).value_or(platform::Scaling::automatic);
    }
    return settings;
}

bool write_display_settings(const std::string& path, const DisplaySettings& settings) {
    KeyFile file;
    if (settings.fullscreen) file.put(section, "fullscreen", *settings.fullscreen ? "1" : "0");
    if (settings.window_size) {
        file.put(section, "width", std::to_string(settings.window_size->width));
        file.put(section, "height", std::to_string(settings.window_size->height));
    }
    file.put(section, "scaling", platform::scaling_name(settings.scaling));
    std::ostringstream out;
    file.write(out);
    return platform::user_dirs::write_file_atomically(path, out.str()).ok;
}

void use_display_settings(const std::string& settings_path, const DisplayOptions& options) {
    DisplayState& s = state();
    s.path = settings_path;
    s.options = options;
    s.settings = settings_path.empty() ? DisplaySettings{} : read_display_settings(settings_path);
    s.saved.reset();
    set_canvas_scaling(s.settings.scaling);
}

const DisplayOptions& display_options() { return state().options; }
const DisplaySettings& display_settings() { return state().settings; }

platform::WindowPreferences window_preferences() {
    const DisplayState& s = state();
    return {s.options.exclusive_fullscreen, s.settings.window_size};
}

bool chosen_fullscreen(bool requested) {
    const DisplayState& s = state();
    if (s.options.fullscreen) return *s.options.fullscreen;
    return s.settings.fullscreen.value_or(requested);
}

void toggle_fullscreen() {
    GraphicsContext& context = graphics();
    if (!context.window_open) return;
    if (context.fullscreen) {
        enter_windowed_mode(context);
    } else {
        remember_window_size();
        enter_fullscreen_mode(context);
    }
    DisplayState& s = state();
    s.settings.fullscreen = context.fullscreen;
    // The choice made now outlasts the command line's for the rest of the run.
    s.options.fullscreen.reset();
    save_display_settings();
}

void save_display_settings() {
    DisplayState& s = state();
    if (s.path.empty()) return;
    remember_window_size();
    if (s.saved && *s.saved == s.settings) return;
    if (write_display_settings(s.path, s.settings)) s.saved = s.settings;
}

void request_screenshot() { state().screenshot_requested = true; }

void take_requested_screenshot() {
    if (!state().screenshot_requested) return;
    state().screenshot_requested = false;
    const std::string path = save_canvas_screenshot(platform::user_dirs::pictures_dir());
    if (!path.empty()) platform::services().system->write_stdout_line("Screenshot saved to " + path);
}

std::string save_canvas_screenshot(const std::string& dir) {
    const GraphicsContext& context = graphics();
    if (context.width <= 0 || context.height <= 0 || !platform::user_dirs::ensure_directory(dir)) return {};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(context.width) * context.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, context.width, context.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::string path = dir;
    if (!path.empty() && path.back() != '/') path += '/';
    path += timestamp_name();
    return write_image_file(path, pixels, context.width, context.height, std::nullopt) ? path : std::string{};
}

}  // namespace rt
