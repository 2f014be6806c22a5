#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace audio_tests {

// Builds WAV files chunk by chunk, including broken ones.
class WavBuilder {
public:
    WavBuilder& format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
        const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
        std::vector<std::uint8_t> body;
        put16(body, tag);
        put16(body, channels);
        put32(body, rate);
        put32(body, rate * block);
        put16(body, block);
        put16(body, bits);
        return chunk("fmt ", body);
    }

    // A chunk; `size` may lie about its body.
    WavBuilder& chunk(const std::string& id, const std::vector<std::uint8_t>& body,
                      std::optional<std::uint32_t> size = std::nullopt) {
        bytes_.insert(bytes_.end(), id.begin(), id.end());
        put32(bytes_, size.value_or(static_cast<std::uint32_t>(body.size())));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        return *this;
    }

    std::vector<std::uint8_t> file_bytes() const {
        std::vector<std::uint8_t> file{'R', 'I', 'F', 'F'};
        put32(file, static_cast<std::uint32_t>(bytes_.size() + 4));
        file.insert(file.end(), {'W', 'A', 'V', 'E'});
        file.insert(file.end(), bytes_.begin(), bytes_.end());
        return file;
    }

    void write(const std::filesystem::path& path, std::size_t keep_bytes = SIZE_MAX) const {
        const auto file = file_bytes();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(std::min(keep_bytes, file.size())));
    }

    static void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    static void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// 16-bit mono samples as WAV data bytes.
inline std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> out;
    for (std::int16_t sample : samples) WavBuilder::put16(out, static_cast<std::uint16_t>(sample));
    return out;
}

}  // namespace audio_tests
