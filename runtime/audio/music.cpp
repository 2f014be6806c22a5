#include "runtime/audio/music.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/services.h"
#include "runtime/audio/sound.h"
#include "runtime/core/clock.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/media_archive.h"
#include "runtime/files/media_problems.h"

namespace rt {
namespace {

constexpr double shortest_length_ms = 500.0;
constexpr int normal_volume = 1000;

MusicState& mutable_music_state() {
    static MusicState state;
    return state;
}

PointerControl& pointer_control() {
    static PointerControl control;
    return control;
}

platform::MusicPlayer* player() { return platform::services().music.get(); }

// A length the player cannot tell, or a very short one, counts as 500 ms.
double music_length_ms(platform::MusicPlayer& music) {
    const auto length = music.length_ms();
    return std::max(length.value_or(0.0), shortest_length_ms);
}

void close_music() {
    MusicState& state = mutable_music_state();
    state.music_restart_ms = 0.0;
    if (state.music_open && player() != nullptr) {
        player()->stop();
        player()->close();
    }
    state.music_open = false;
}

void reacquire_hidden_pointer() {
    const PointerControl& control = pointer_control();
    if (!control.system_pointer_shown || !control.show_system_pointer) return;
    if (control.system_pointer_shown()) return;
    control.show_system_pointer(1.0);
    control.show_system_pointer(0.0);
}

}  // namespace

const MusicState& music_state() { return mutable_music_state(); }

void play_music(const std::string& file) {
    close_music();
    MusicState& state = mutable_music_state();
    state.music_file = file;

    std::string path;
    platform::MusicPlayer* music = player();
    if (music == nullptr || !resolve_media(MediaMount::audio, file, path)) return;
    if (!music->open(path)) {
        report_media_problem(file, MediaProblem::undecodable);
        return;
    }
    state.music_open = true;

    state.music_restart_ms = now_ms() + music_length_ms(*music);
    music->seek_to_start();
    music->play();
    music->set_volume(normal_volume);

    runtime_state().paused = false;
    reacquire_hidden_pointer();
}

void stop_music() { close_music(); }

void set_music_volume(double volume) {
    if (!mutable_music_state().music_open || player() == nullptr) return;
    constexpr double limit = std::numeric_limits<int>::max();
    const double level = std::floor(volume * 1000.0);
    player()->set_volume(std::isnan(level) ? 0 : static_cast<int>(std::clamp(level, -limit, limit)));
}

void restart_music_if_due() {
    follow_sound_output(now_ms());
    MusicState& state = mutable_music_state();
    if (state.music_restart_ms <= 0.0 || player() == nullptr) return;
    const double now = now_ms();
    if (now < state.music_restart_ms) return;
    state.music_restart_ms = now + music_length_ms(*player());
    player()->play();
    player()->seek_to_start();
    player()->play();
}

void release_music() { close_music(); }

void set_pointer_control(PointerControl control) { pointer_control() = std::move(control); }

}  // namespace rt
