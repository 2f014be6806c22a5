#include "platform/heartbeat.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace platform {
namespace {

constexpr auto beat_interval = std::chrono::milliseconds(500);

struct Heartbeat {
    std::string path;
    long frames = 0;
    std::chrono::steady_clock::time_point next_write{};
};

Heartbeat& heartbeat() {
    static Heartbeat beat{[] {
        const char* path = std::getenv("MARLOWICK_HEARTBEAT");
        return path != nullptr ? std::string(path) : std::string();
    }()};
    return beat;
}

}  // namespace

void frame_heartbeat() {
    Heartbeat& beat = heartbeat();
    if (beat.path.empty()) return;
    ++beat.frames;
    const auto now = std::chrono::steady_clock::now();
    if (now < beat.next_write) return;
    beat.next_write = now + beat_interval;
    std::ofstream(beat.path, std::ios::trunc) << beat.frames << '\n';
}

}  // namespace platform
