#include "platform/midi_length.h"

#include <algorithm>
#include <map>

namespace platform {
namespace {

constexpr std::uint32_t default_tempo_us = 500'000;  // 120 beats per minute

// Reads big-endian values and variable-length quantities, never past the end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool at_end() const { return position_ >= bytes_.size(); }
    std::size_t left() const { return bytes_.size() - position_; }
    std::optional<std::uint32_t> big_endian(int count) {
        if (left() < static_cast<std::size_t>(count)) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 8) | bytes_[position_++];
        return value;
    }
    std::optional<std::uint32_t> quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (at_end()) return std::nullopt;
            const std::uint8_t byte = bytes_[position_++];
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80u) == 0) return value;
        }
        return std::nullopt;
    }
    bool skip(std::size_t count) {
        if (left() < count) return false;
        position_ += count;
        return true;
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        count = std::min(count, left());
        const auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }
    std::optional<std::uint8_t> peek() const {
        if (at_end()) return std::nullopt;
        return bytes_[position_];
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

using TempoMap = std::map<std::uint64_t, std::uint32_t>;  // tick -> microseconds per beat

int data_bytes_of(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0u;
    return (kind == 0xC0u || kind == 0xD0u) ? 1 : 2;
}

// The track's last tick; tempo changes go into `tempi`.
std::uint64_t walk_track(Reader track, TempoMap& tempi) {
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!track.at_end()) {
        const auto delta = track.quantity();
        const auto first = track.peek();
        if (!delta || !first) break;
        tick += *delta;
        std::uint8_t status = *first;
        if (status >= 0x80u) {
            track.skip(1);
        } else if (running != 0) {
            status = running;  // running status: this byte is already data
        } else {
            break;
        }
        if (status == 0xFFu) {
            const auto type = track.big_endian(1);
            const auto length = track.quantity();
            if (!type || !length || track.left() < *length) break;
            const auto data = track.take(*length);
            if (*type == 0x2Fu) break;
            if (*type == 0x51u && data.size() == 3) {
                const std::uint32_t tempo = (std::uint32_t{data[0]} << 16) | (data[1] << 8) | data[2];
                if (tempo > 0) tempi[tick] = tempo;
            }
        } else if (status == 0xF0u || status == 0xF7u) {
            const auto length = track.quantity();
            if (!length || !track.skip(*length)) break;
        } else if (status >= 0x80u && status < 0xF0u) {
            running = status;
            if (!track.skip(static_cast<std::size_t>(data_bytes_of(status)))) break;
        } else {
            break;  // system common messages do not belong in a file
        }
    }
    return tick;
}

double milliseconds_at(std::uint64_t end_tick, std::uint32_t ticks_per_beat, const TempoMap& tempi) {
    double ms = 0.0;
    std::uint64_t tick = 0;
    std::uint32_t tempo = default_tempo_us;
    for (const auto& [at, next_tempo] : tempi) {
        if (at >= end_tick) break;
        ms += static_cast<double>(at - tick) * tempo / 1000.0 / ticks_per_beat;
        tick = at;
        tempo = next_tempo;
    }
    return ms + static_cast<double>(end_tick - tick) * tempo / 1000.0 / ticks_per_beat;
}

}  // namespace

bool is_midi_file(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 4 && bytes[0] == 'M' && bytes[1] == 'T' && bytes[2] == 'h' && bytes[3] == 'd';
}

std::optional<double> midi_length_ms(std::span<const std::uint8_t> bytes) {
    if (!is_midi_file(bytes)) return std::nullopt;
    Reader file(bytes);
    file.skip(4);
    const auto header_length = file.big_endian(4);
    if (!header_length || *header_length < 6 || !file.skip(2)) return std::nullopt;
    const auto tracks = file.big_endian(2);
    const auto division = file.big_endian(2);
    if (!tracks || !division || *division == 0 || !file.skip(*header_length - 6)) return std::nullopt;

    TempoMap tempi;
    std::uint64_t end_tick = 0;
    for (std::uint32_t n = 0; n < *tracks && !file.at_end();) {
        const auto id = file.big_endian(4);
        const auto length = file.big_endian(4);
        if (!id || !length) break;
        const auto body = file.take(*length);
        if (*id != 0x4D54726Bu) continue;  // only "MTrk" chunks are tracks
        end_tick = std::max(end_tick, walk_track(Reader(body), tempi));
        ++n;
    }
    if ((*division & 0x8000u) != 0) {
        // SMPTE time: frames per second and ticks per frame, no tempo.
        const int frames_per_second = -static_cast<std::int8_t>(*division >> 8);
        const int ticks_per_frame = static_cast<int>(*division & 0xFFu);
        if (frames_per_second <= 0 || ticks_per_frame <= 0) return std::nullopt;
        return static_cast<double>(end_tick) * 1000.0 / (frames_per_second * ticks_per_frame);
    }
    return milliseconds_at(end_tick, *division, tempi);
}

}  // namespace platform
