#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "platform/services.h"
#include "runtime/core/run_errors.h"
#include "runtime/files/file_access.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/file_places.h"
#include "runtime/files/file_state.h"
#include "runtime/files/line_reader.h"

namespace rt {
namespace {

struct Channel {
    std::fstream file;
    std::uint32_t size = 0;      // taken when opened for reading
    std::uint32_t position = 0;  // bytes read so far
    bool last_was_write = false;

    void close() {
        file.close();
        file.clear();
        size = position = 0;
        last_was_write = false;
    }
    // A stream that switches between writing and reading needs a seek in between.
    void turn_to(bool writing) {
        if (writing != last_was_write) {
            file.clear();
            file.seekg(0, std::ios::cur);
        }
        last_was_write = writing;
    }
};

std::array<Channel, file_channel_count>& channels() {
    static std::array<Channel, file_channel_count> table;
    return table;
}

Channel& channel_in_range(double channel) {
    const int index = files::truncate_to_int(channel);
    if (index < 0 || index >= file_channel_count) raise_runtime_error(error_index_beyond_limit);
    return channels()[static_cast<std::size_t>(index)];
}

Channel& open_channel(double channel) {
    Channel& entry = channel_in_range(channel);
    if (!entry.file.is_open()) raise_runtime_error(error_file_transfer);
    return entry;
}

void read_exact(double channel, char* out, std::size_t count) {
    Channel& entry = open_channel(channel);
    entry.turn_to(false);
    entry.file.read(out, static_cast<std::streamsize>(count));
    if (entry.file.gcount() != static_cast<std::streamsize>(count)) raise_runtime_error(error_file_transfer);
    entry.position += static_cast<std::uint32_t>(count);
}

void write_exact(double channel, const char* bytes, std::size_t count) {
    Channel& entry = open_channel(channel);
    entry.turn_to(true);
    entry.file.write(bytes, static_cast<std::streamsize>(count));
    if (!entry.file.flush()) raise_runtime_error(error_file_transfer);
}

double read_unsigned(double channel, std::size_t count) {
    std::array<unsigned char, 4> bytes{};
    read_exact(channel, reinterpret_cast<char*>(bytes.data()), count);
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
    return value;
}

// The low bits of the truncated value; values beyond 64-bit integers give 0.
std::uint64_t low_bits(double value) {
    const double whole = std::trunc(value);
    if (!std::isfinite(whole) || std::fabs(whole) >= 9.2e18) return 0;
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(whole));
}

void write_unsigned(double channel, double value, std::size_t count) {
    const std::uint64_t bits = low_bits(value);
    std::array<char, 4> bytes{};
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(bits >> (8 * i));
    write_exact(channel, bytes.data(), count);
}

std::uint32_t size_field(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return 0;
    return static_cast<std::uint32_t>(std::min<std::uintmax_t>(size, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

double open_file(double channel, const std::string& name, double mode) {
    Channel& entry = channel_in_range(channel);
    entry.close();
    const bool writing = files::truncate_to_int(mode) == 0;
    const std::string path = writing ? files::place_to_write(name) : files::place_to_read(name);
    if (writing) {
        files::remove_quietly(path);
        entry.file.open(path, std::ios::in | std::ios::out | std::ios::trunc | std::ios::binary);
    } else if (files::is_readable_file(path)) {
        entry.file.open(path, std::ios::in | std::ios::binary);
        entry.size = size_field(path);
    }
    if (!entry.file.is_open()) {
        entry.close();
        return 0.0;
    }
    return 1.0;
}

void close_file(double channel) { channel_in_range(channel).close(); }

double end_of_file(double channel) {
    const int index = files::truncate_to_int(channel);
    if (index < 0 || index >= file_channel_count) return 1.0;
    const Channel& entry = channels()[static_cast<std::size_t>(index)];
    return entry.size <= entry.position ? 1.0 : 0.0;
}

double read_byte(double channel) { return read_unsigned(channel, 1); }
double read_word(double channel) { return read_unsigned(channel, 2); }
double read_long(double channel) { return read_unsigned(channel, 4); }

double read_double(double channel) {
    std::array<char, sizeof(double)> bytes{};
    read_exact(channel, bytes.data(), bytes.size());
    return std::bit_cast<double>(bytes);
}

std::string read_string(double channel, double count) {
    const int wanted = files::truncate_to_int(count);
    if (wanted <= 0) {
        channel_in_range(channel);
        return {};
    }
    // Grows with what actually arrives, so an absurd count cannot allocate
    // more than the file holds before the transfer fails.
    constexpr std::size_t piece = 64 * 1024;
    std::string text;
    for (std::size_t done = 0; done < static_cast<std::size_t>(wanted);) {
        const std::size_t step = std::min(piece, static_cast<std::size_t>(wanted) - done);
        text.resize(done + step);
        read_exact(channel, text.data() + done, step);
        done += step;
    }
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::string read_line(double channel) {
    Channel& entry = open_channel(channel);
    entry.turn_to(false);
    auto line = read_chunked_line(entry.file);
    if (!line) raise_runtime_error(error_file_transfer);
    entry.position += static_cast<std::uint32_t>(line->consumed);
    return std::move(line->text);
}

void write_byte(double channel, double value) { write_unsigned(channel, value, 1); }
void write_word(double channel, double value) { write_unsigned(channel, value, 2); }
void write_long(double channel, double value) { write_unsigned(channel, value, 4); }

void write_double(double channel, double value) {
    const auto bytes = std::bit_cast<std::array<char, sizeof(double)>>(value);
    write_exact(channel, bytes.data(), bytes.size());
}

void write_string(double channel, const std::string& text) { write_exact(channel, text.data(), text.size()); }

void write_line(double channel, const std::string& text) { write_string(channel, text + "\r\n"); }

namespace files {

void close_all_channels() {
    for (Channel& entry : channels()) entry.close();
}

}  // namespace files

}  // namespace rt
