#include "runtime/files/line_reader.h"

#include <algorithm>
#include <array>
#include <istream>

namespace rt {
namespace {

constexpr std::size_t chunk_bytes = 64;

std::string line_text(const char* data, std::size_t length, bool drop_carriage_return) {
    if (drop_carriage_return && length > 0 && data[length - 1] == '\r') --length;
    const char* zero = std::find(data, data + length, '\0');
    return std::string(data, zero);
}

}  // namespace

std::optional<LineRead> read_chunked_line(std::istream& in) {
    std::array<char, max_line_bytes> buffer{};
    std::size_t filled = 0;
    while (filled < max_line_bytes) {
        const std::size_t asked = std::min(chunk_bytes, max_line_bytes - filled);
        in.read(buffer.data() + filled, static_cast<std::streamsize>(asked));
        const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
        in.clear();
        if (got == 0) return std::nullopt;

        const char* chunk = buffer.data() + filled;
        const char* line_break = std::find(chunk, chunk + got, '\n');
        if (line_break != chunk + got) {
            const auto end = static_cast<std::size_t>(line_break - buffer.data());
            const std::size_t unread = filled + got - (end + 1);
            if (unread > 0) in.seekg(-static_cast<std::streamoff>(unread), std::ios::cur);
            return LineRead{line_text(buffer.data(), end, true), end + 1};
        }
        filled += got;
        if (got < asked) return LineRead{line_text(buffer.data(), filled, true), filled};
    }
    return LineRead{line_text(buffer.data(), max_line_bytes, false), max_line_bytes};
}

}  // namespace rt
