#pragma once
// Whether story texts fit where they are printed. The real advances are
// measured from the font at start-up, so the layout is checked with
// estimated advances close to the game font's and one line kept spare.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace text_fit {

// Estimated advance of a character in layout pixels; the space is always 20.
inline int advance(char c) {
    const std::string_view narrow = "ijl.,:;'!|";
    const std::string_view medium = "frtI()[]-\"/";
    if (c == ' ') return 20;
    if (narrow.find(c) != std::string_view::npos) return 7;
    if (medium.find(c) != std::string_view::npos) return 9;
    if (c == 'M' || c == 'W') return 19;
    if (c == 'm' || c == 'w') return 17;
    if (c >= 'A' && c <= 'Z') return 15;
    return 12;
}

inline int width(std::string_view text) {
    int sum = 0;
    for (char c : text) sum += advance(c);
    return sum;
}

// Lines the game's word wrap makes of a paragraph: it breaks at the last
// space reached while the running width was still below the limit.
inline int wrapped_lines(std::string_view text, int maxkern) {
    int lines = 0;
    while (!text.empty()) {
        std::size_t lastspace = 0;
        std::size_t testch = 0;
        int run = 0;
        while (run < maxkern && testch < text.size()) {
            if (text[testch] == ' ') lastspace = testch;
            run += advance(text[testch]);
            ++testch;
        }
        ++lines;
        if (testch == text.size() && run < maxkern) break;
        text = lastspace + 1 < text.size() ? text.substr(lastspace + 1) : std::string_view{};
    }
    return lines;
}

// A paragraph printed from y and the y of whatever comes next below it.
struct Paragraph {
    std::string_view name;
    std::string_view text;
    int y;
    int limit;
    int maxkern = 640;
};

// Messages get at most six lines, so the picture stays visible.
inline constexpr int message_room = 140;

// One-line texts printed with print_text from x, which never wraps.
struct Line {
    std::string_view name;
    std::string_view text;
    int x;
};

inline bool printable(std::string_view text) {
    for (char c : text) {
        if (c < 32 || c > 126) return false;
    }
    return true;
}

inline void expect_printable(const std::vector<Paragraph>& paragraphs, const std::vector<Line>& lines) {
    for (const Paragraph& p : paragraphs) EXPECT_TRUE(printable(p.text)) << p.name;
    for (const Line& l : lines) EXPECT_TRUE(printable(l.text)) << l.name;
}

inline void expect_paragraphs_fit(const std::vector<Paragraph>& paragraphs) {
    for (const Paragraph& p : paragraphs) {
        const int room = (p.limit - p.y) / 20 - 1;
        const int used = wrapped_lines(p.text, p.maxkern);
        if (room >= 1) {
            EXPECT_LE(used, room) << p.name << " needs " << used << " lines, has room for " << room;
        } else {
            // No line to spare: the one line must fit with a margin instead.
            EXPECT_EQ(used, 1) << p.name;
            EXPECT_LE(width(p.text), p.maxkern * 9 / 10) << p.name;
        }
    }
}

inline void expect_lines_on_screen(const std::vector<Line>& lines) {
    for (const Line& l : lines) EXPECT_LE(width(l.text), (640 - l.x) * 9 / 10) << l.name;
}

// Option labels and fixed lines live in the sources themselves: a stray
// typographic quote there would end the game with an array error.
inline void expect_plain_ascii_sources(std::initializer_list<const char*> names) {
    const std::filesystem::path root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    for (const char* name : names) {
        std::ifstream in(root / name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        int line = 1;
        for (char c : bytes) {
            if (c == '\n') ++line;
            EXPECT_TRUE(c == '\n' || (c >= 32 && c <= 126)) << name << ":" << line;
        }
    }
}

}  // namespace text_fit
