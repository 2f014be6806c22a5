#pragma once
#include <functional>
#include <string>

namespace rt {

// One piece of music at a time, looping: the runtime restarts it one length
// (at least 500 ms) after each start, driven by its own clock.
struct MusicState {
    bool music_open = false;
    double music_restart_ms = 0.0;  // 0 = no music
    std::string music_file;
};
const MusicState& music_state();

// Stops any music, then starts the file (through the audio media mount)
// looping at the normal volume.
void play_music(const std::string& file);
void stop_music();
// ⌊volume × 1000⌋ with 1000 the normal level; nothing without open music.
void set_music_volume(double volume);
// Run by present_frame and its pause loop.
void restart_music_if_due();
// Shutdown: stops and closes the music.
void release_music();

// The input part's hold on the system pointer: while it is hidden,
// play_music takes the exclusive mouse anew (shown, then hidden again).
// The input part installs both calls.
struct PointerControl {
    std::function<bool()> system_pointer_shown;
    std::function<void(double on)> show_system_pointer;
};
void set_pointer_control(PointerControl control);

}  // namespace rt
