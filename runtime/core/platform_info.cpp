#include "runtime/core/platform_info.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>

#include "platform/services.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/window.h"

namespace rt {
namespace {

// Mixed into the machine serial so the identifier is the runtime's own.
constexpr std::uint32_t id_mask = 0x5A3C96E1u;

void upper_case_in_place(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}

struct HandheldSimulation {
    bool active = false;
    bool touchscreen = false;
};

HandheldSimulation& handheld_simulation() {
    static HandheldSimulation simulation;
    return simulation;
}

constexpr std::string_view touchscreen_device = "/dev/touchscreen/wm97xx";

std::string machine_identifier() {
    const std::uint32_t value = platform::services().system->machine_serial() ^ id_mask;
    std::string text;
    constexpr const char* digits = "0123456789ABCDEF";
    for (int byte = 0; byte < 4; ++byte) {
        const unsigned bits = (value >> (8 * byte)) & 0xFFu;
        text += digits[bits >> 4];
        text += digits[bits & 0xFu];
    }
    return text;
}

std::string blank_padded(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", value);
    return buffer;
}

platform::FileFilters parse_filter(std::string_view filter) {
    platform::FileFilters pairs;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = std::min(filter.find('|', start), filter.size());
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

// Libraries stay loaded until the program ends.
std::map<std::string, std::unique_ptr<platform::DynamicLibrary>>& loaded_libraries() {
    static std::map<std::string, std::unique_ptr<platform::DynamicLibrary>> libraries;
    return libraries;
}

}  // namespace

void simulate_handheld(bool touchscreen) { handheld_simulation() = {true, touchscreen}; }

bool simulated_device_file(std::string_view path) {
    const HandheldSimulation& simulation = handheld_simulation();
    return simulation.active && simulation.touchscreen && path == touchscreen_device;
}

std::string local_time_text() {
    const std::time_t now = std::time(nullptr);
    const std::tm fields = *std::localtime(&now);  // one thread: the shared buffer is safe
    return std::to_string(fields.tm_year + 1900) + "-" + std::to_string(fields.tm_mon + 1) + "-" +
           std::to_string(fields.tm_mday) + " " + blank_padded(fields.tm_hour) + ":" + blank_padded(fields.tm_min) +
           ":" + blank_padded(fields.tm_sec);
}

std::string platform_info(std::string& key) {
    const std::string as_written = key;
    upper_case_in_place(key);
    if (key.empty()) return "LINUX";
    if (key.starts_with("GLEXT:")) {
        const std::string function = as_written.substr(6);
        return platform::services().window->gl_proc_address(function.c_str()) != nullptr ? "1" : "0";
    }
    if (key == "ID") return machine_identifier();
    if (key == "DEVICE") return handheld_simulation().active ? "GP2X" : "DESKTOP";
    if (key == "TIME") return local_time_text();
    return "NO_DATA";
}

double run_program(std::string_view command, double wait, double /*show*/, double& exit_code) {
    exit_code = 0;
    const platform::ProcessResult result =
        platform::services().system->run_process(std::string(command), wait != 0.0);
    if (!result.started) return 0.0;
    if (wait != 0.0) exit_code = result.exit_code;
    return 1.0;
}

std::string file_dialog(double mode, std::string_view filter) {
    platform::System& system = *platform::services().system;
    const std::string directory = system.current_dir();
    const bool windowed = has_graphics_context() && graphics().window_open;
    if (windowed) hide_window(graphics());
    const auto chosen = system.file_dialog(mode == 0.0, parse_filter(filter));
    system.set_current_dir(directory);
    if (windowed) apply_screen_mode(graphics(), 0, 0, 0, runtime_settings().fullscreen != 0);
    if (!chosen || chosen->empty()) return "NO_FILE";
    return platform::native_path(*chosen);
}

void bind_library_function(std::string_view library, std::string_view function, void*& out_address) {
    out_address = nullptr;
    std::string name(library);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    auto& libraries = loaded_libraries();
    auto found = libraries.find(name);
    if (found == libraries.end()) {
        auto handle = platform::services().system->load_library(name);
        if (!handle) {
            // Reported to an attached debugger in debug mode once the debug channel exists.
            return;
        }
        found = libraries.emplace(name, std::move(handle)).first;
    }
    out_address = found->second->symbol(std::string(function));
}

}  // namespace rt
