#include "runtime/audio/wav_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>

#include "platform/services.h"

namespace rt {
namespace {

constexpr std::size_t head_size = 36;
constexpr std::uint32_t pcm_body_size = 16;

std::uint16_t le16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

std::uint32_t le32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// Sequential reads that never go past the end of the file.
class WavInput {
public:
    explicit WavInput(const std::string& path) : in_(path, std::ios::binary) {
        if (!in_) return;
        in_.seekg(0, std::ios::end);
        const auto end = in_.tellg();
        in_.seekg(0, std::ios::beg);
        if (end > 0) size_ = static_cast<std::uint64_t>(end);
    }

    bool read(std::uint8_t* into, std::uint64_t count) {
        if (count > remaining()) return false;
        in_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
        if (static_cast<std::uint64_t>(in_.gcount()) != count) return false;
        offset_ += count;
        return true;
    }

    bool skip(std::uint64_t count) {
        if (count > remaining()) return false;
        offset_ += count;
        in_.seekg(static_cast<std::streamoff>(offset_), std::ios::beg);
        return static_cast<bool>(in_);
    }

    std::uint64_t remaining() const { return size_ - offset_; }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0;
};

struct ChunkHeader {
    std::array<char, 4> id{};
    std::uint32_t size = 0;

    bool is(const char (&name)[5]) const { return std::equal(id.begin(), id.end(), name); }
};

std::optional<ChunkHeader> read_chunk_header(WavInput& input) {
    std::array<std::uint8_t, 8> bytes{};
    if (!input.read(bytes.data(), bytes.size())) return std::nullopt;
    ChunkHeader header;
    std::copy_n(bytes.begin(), 4, header.id.begin());
    header.size = le32(bytes.data() + 4);
    return header;
}

// The buffer plays PCM whatever the file's format tag says; fewer than two
// channels play as mono, more than two as the first two.
platform::PcmFormat buffer_format(const std::uint8_t* format_body) {
    platform::PcmFormat format;
    format.channels = le16(format_body + 2) < 2 ? 1 : 2;
    format.samples_per_second = static_cast<int>(std::min<std::uint32_t>(le32(format_body + 4), INT32_MAX));
    format.block_align = le16(format_body + 12);
    format.bits_per_sample = le16(format_body + 14);
    return format;
}

}  // namespace

std::optional<WavSound> read_wav_file(const std::string& path) {
    WavInput input(platform::native_path(path));
    std::array<std::uint8_t, head_size> head{};
    if (!input.read(head.data(), head.size())) return std::nullopt;

    const std::uint32_t format_size = le32(head.data() + 16);
    if (format_size > pcm_body_size && !input.skip(format_size - pcm_body_size)) return std::nullopt;

    auto chunk = read_chunk_header(input);
    if (chunk && chunk->is("fact")) {
        if (!input.skip(chunk->size)) return std::nullopt;
        chunk = read_chunk_header(input);
    }
    if (!chunk || !chunk->is("data")) return std::nullopt;

    WavSound sound;
    sound.format = buffer_format(head.data() + 20);
    if (sound.format.block_align == 0 || chunk->size == 0) return std::nullopt;
    if (chunk->size > input.remaining()) return std::nullopt;
    sound.samples.resize(chunk->size);
    if (!input.read(sound.samples.data(), chunk->size)) return std::nullopt;
    return sound;
}

}  // namespace rt
