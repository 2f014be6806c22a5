#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sound.h"

namespace rt {

inline constexpr int sound_slot_count = 256;
inline constexpr int highest_game_sound_slot = 127;
inline constexpr int max_sound_buffers = 4;

// One loaded sound: buffer 0 holds the samples, buffers 1..count-1 are
// duplicates sharing them so that the sound can overlap itself.
struct SoundSlot {
    std::int32_t buffer_count = 0;  // 0 = empty
    std::int32_t next_buffer = 0;   // where the next play starts looking (round robin)
    std::string file_name;
    platform::SoundDevice* device = nullptr;  // cleared when the buffers could not be made
    std::array<std::unique_ptr<platform::SoundBuffer>, max_sound_buffers> buffers;
};

// Start-up: the table of sound slots, then the sound device. Without a
// device every sound command does nothing.
void create_sound_slots();
bool init_sound_device();
// Shutdown: stops and releases every slot's buffers, then the device.
void release_sound();
bool sound_device_ready();
// Keeps sounds and music on a working output device as devices come and go
// (one error-log line per change). Run wherever the music is kept looping.
void follow_sound_output(double now_ms);

// Slot numbers above 127 are folded to 127. Buffers are clamped to 1..4.
void load_sound(const std::string& file, double slot, double buffers);
// Pan -1..1, volume 0..1 (clamped). The channel (buffer + 256 x slot), or -1.
double play_sound(double slot, double pan, double volume);
// 1 while the channel's buffer plays, else 0.
double sound_playing(double channel);
// Stops and rewinds every buffer of slots 0..127.
void stop_all_sounds();

// The slot as loaded (read-only), for inspection.
const SoundSlot& sound_slot(int slot);

}  // namespace rt
