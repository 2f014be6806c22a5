#include "runtime/audio/sound.h"

#include <algorithm>
#include <cmath>

#include "platform/services.h"
#include "runtime/audio/wav_reader.h"
#include "runtime/core/error_log.h"
#include "runtime/files/file_access.h"
#include "runtime/files/media_archive.h"
#include "runtime/files/media_problems.h"

namespace rt {
namespace {

struct SoundState {
    platform::SoundDevice* device = nullptr;  // null: no sound
    std::unique_ptr<std::array<SoundSlot, sound_slot_count>> slots;
};

SoundState& sound_state() {
    static SoundState state;
    return state;
}

SoundSlot* slot_at(int index) {
    auto& slots = sound_state().slots;
    if (!slots || index < 0 || index >= sound_slot_count) return nullptr;
    return &(*slots)[static_cast<std::size_t>(index)];
}

// Game slot numbers: truncated, larger ones folded to the last reachable slot.
int game_slot(double slot) {
    if (!(slot > -1.0)) return -1;  // negative or not a number
    return static_cast<int>(std::min(slot, static_cast<double>(highest_game_sound_slot)));
}

int truncated_clamp(double value, double low, double high, double scale) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, low, high) * scale);
}

bool rewind(platform::SoundBuffer& buffer) { return buffer.stop() && buffer.set_position(0); }

void stop_sound_slot(SoundSlot& slot) {
    for (int i = 0; i < slot.buffer_count; ++i) {
        if (!slot.buffers[static_cast<std::size_t>(i)] || !rewind(*slot.buffers[static_cast<std::size_t>(i)])) return;
    }
}

void release_slot_buffers(SoundSlot& slot) {
    if (slot.device != nullptr) stop_sound_slot(slot);
    for (auto& buffer : slot.buffers) buffer.reset();
    slot.buffer_count = 0;
    slot.next_buffer = 0;
}

bool read_wav_into_buffer(SoundSlot& slot) {
    const auto wav = read_wav_file(slot.file_name);
    if (!wav) return false;
    auto buffer = slot.device->create_buffer(wav->format, wav->samples, true);
    // Some devices cannot give every buffer volume and pan: it then plays at full level, centred.
    if (!buffer) buffer = slot.device->create_buffer(wav->format, wav->samples, false);
    if (!buffer) {
        slot.device = nullptr;
        return false;
    }
    slot.buffers[0] = std::move(buffer);
    return true;
}

bool load_sound_impl(SoundSlot& slot, platform::SoundDevice* device, const std::string& file, int buffers) {
    release_slot_buffers(slot);
    slot.device = device;
    slot.file_name = file;
    buffers = std::clamp(buffers, 1, max_sound_buffers);
    if (device == nullptr) return false;

    slot.buffer_count = buffers;
    if (!read_wav_into_buffer(slot)) {
        slot.buffer_count = 0;
        return false;
    }
    for (int i = 1; i < buffers; ++i) {
        auto copy = slot.buffers[0]->duplicate();
        if (!copy) {
            slot.buffer_count = i;
            break;
        }
        slot.buffers[static_cast<std::size_t>(i)] = std::move(copy);
    }
    return true;
}

// The buffer the next play uses; a busy single buffer gives none, and with
// several the oldest play is cut off when all are busy.
platform::SoundBuffer* pick_play_buffer(SoundSlot& slot) {
    auto buffer_at = [&slot](int index) { return slot.buffers[static_cast<std::size_t>(index)].get(); };
    auto is_playing = [](platform::SoundBuffer& buffer) {
        const auto status = buffer.status();
        return status && status->playing;
    };

    platform::SoundBuffer* buffer = buffer_at(slot.next_buffer);
    if (is_playing(*buffer)) {
        if (slot.buffer_count == 1) return nullptr;
        slot.next_buffer = (slot.next_buffer + 1) % slot.buffer_count;
        buffer = buffer_at(slot.next_buffer);
        if (is_playing(*buffer)) rewind(*buffer);
    }
    const auto status = buffer->status();
    if (status && status->lost && !buffer->restore()) return nullptr;
    return buffer;
}

// pan in -10000..10000, volume in 0..100 (one step is 1 dB).
int play_sound_impl(SoundSlot& slot, int pan, int volume) {
    if (slot.buffer_count == 0 || slot.device == nullptr) return -1;
    platform::SoundBuffer* buffer = pick_play_buffer(slot);
    if (buffer == nullptr) return -1;
    buffer->set_volume(volume * 100 - 10000);
    buffer->set_pan(pan);
    if (!buffer->play()) return -1;
    return slot.next_buffer;
}

}  // namespace

void create_sound_slots() {
    SoundState& state = sound_state();
    state.slots = std::make_unique<std::array<SoundSlot, sound_slot_count>>();
    state.device = nullptr;
}

bool init_sound_device() {
    SoundState& state = sound_state();
    auto& device = platform::services().sound;
    if (device && device->open()) {
        state.device = device.get();
        return true;
    }
    state.device = nullptr;
    append_error_log("No sound device");
    return false;
}

void release_sound() {
    SoundState& state = sound_state();
    if (state.slots) {
        for (SoundSlot& slot : *state.slots) release_slot_buffers(slot);
        state.slots.reset();
    }
    if (state.device != nullptr) state.device->close();
    state.device = nullptr;
}

bool sound_device_ready() { return sound_state().device != nullptr; }

void follow_sound_output(double now_ms) {
    platform::SoundDevice* device = sound_state().device;
    if (device == nullptr) return;
    switch (device->follow_output_device(now_ms)) {
    case platform::OutputChange::none: break;
    case platform::OutputChange::moved: append_error_log("Sound device changed: playing on the default device"); break;
    case platform::OutputChange::lost: append_error_log("Sound device lost: playing silently"); break;
    case platform::OutputChange::found: append_error_log("Sound device found: playing again"); break;
    }
}

void load_sound(const std::string& file, double slot, double buffers) {
    SoundSlot* target = slot_at(game_slot(slot));
    if (target == nullptr) return;
    std::string path;
    if (!resolve_media(MediaMount::graphics, file, path)) path = file;
    const bool loaded = load_sound_impl(*target, sound_state().device, path, truncated_clamp(buffers, 0.0, 4.0, 1.0));
    if (!loaded && sound_device_ready() && files::is_readable_file(path)) {
        report_media_problem(file, MediaProblem::undecodable);
    }
}

double play_sound(double slot, double pan, double volume) {
    if (!sound_device_ready()) return -1.0;
    const int index = game_slot(slot);
    SoundSlot* target = slot_at(index);
    if (target == nullptr) return -1.0;
    const int result = play_sound_impl(*target, truncated_clamp(pan, -1.0, 1.0, 10000.0),
                                       truncated_clamp(volume, 0.0, 1.0, 100.0));
    return result < 0 ? -1.0 : static_cast<double>(result + 256 * index);
}

double sound_playing(double channel) {
    if (!sound_device_ready() || !(channel >= 0.0) || channel >= 256.0 * sound_slot_count) return 0.0;
    const int number = static_cast<int>(channel);
    SoundSlot* slot = slot_at(number >> 8);
    const int buffer = number % 256;
    if (slot == nullptr || buffer >= slot->buffer_count) return 0.0;
    const auto status = slot->buffers[static_cast<std::size_t>(buffer)]->status();
    return status && status->playing ? 1.0 : 0.0;
}

void stop_all_sounds() {
    if (!sound_device_ready()) return;
    for (int index = 0; index <= highest_game_sound_slot; ++index) {
        if (SoundSlot* slot = slot_at(index)) stop_sound_slot(*slot);
    }
}

const SoundSlot& sound_slot(int slot) {
    static const SoundSlot empty;
    const SoundSlot* found = slot_at(slot);
    return found != nullptr ? *found : empty;
}

}  // namespace rt
