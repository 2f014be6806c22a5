#pragma once
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace rt {

inline constexpr std::size_t max_line_bytes = 1024;

struct LineRead {
    std::string text;      // without the line break and a CR right before it
    std::size_t consumed;  // bytes taken from the stream, line break included
};

// Reads one line in chunks of at most 64 bytes. A chunk shorter than asked
// ends the line where its data ends, so a last line needs no line break; a
// read that yields nothing fails (nullopt). 1024 bytes without a line break
// make a line of their own and the rest stays for the next call. On success
// the stream stands right behind the consumed bytes. The text is
// zero-terminated text: it ends at its first zero byte.
std::optional<LineRead> read_chunked_line(std::istream& in);

}  // namespace rt
