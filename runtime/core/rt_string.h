#pragma once
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string_view>

#include "runtime/core/debug_registry.h"

namespace rt {

// The game language's string value.
//
// Layout is fixed: the buffer pointer, then capacity, then length. The
// buffer is NUL-terminated and, while the value lives, never null. A value
// that has never grown points at one shared static zero byte with capacity 0;
// that byte is never written or freed, so empty values cost no allocation.
// Owned buffers belong to exactly one value: copies copy the bytes.
// Capacity grows in 512-byte steps and always exceeds length.
//
// Code that writes into `buffer` directly must call rt_string_recount
// afterwards.
class RtString {
public:
    char* buffer;
    std::uint32_t capacity;
    std::uint32_t length;

    RtString() noexcept;
    explicit RtString(const char* text);
    explicit RtString(std::string_view text);
    explicit RtString(double number);
    explicit RtString(float number);
    explicit RtString(std::int32_t number);
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;
    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(const char* text);
    RtString& operator=(std::string_view text);
    ~RtString();

    // The text handed to consumers of zero-terminated text: the buffer when
    // there is something in it, a static empty text otherwise.
    const char* text() const noexcept;
    const char* c_str() const noexcept { return text(); }
    std::string_view view() const noexcept { return {text(), length}; }
    bool empty() const noexcept { return length == 0; }
};

// Largest length a value can take; beyond it growth throws std::length_error.
inline constexpr std::uint32_t rt_string_max_length = 0xFFFFFC00u;

// ---------------------------------------------------------------------------
// Number text

// Text of a number, built in a fixed 64-byte buffer.
struct NumberText {
    std::array<char, 64> chars{};
    std::size_t size = 0;
    const char* c_str() const noexcept { return chars.data(); }
    std::string_view view() const noexcept { return {chars.data(), size}; }
};

// Ten significant digits; fixed notation for decimal exponents -4..9,
// otherwise "d.ddde+XXX". Trailing fraction zeros go, and a text ending in
// the point loses it: 3 -> "3", 1/3 -> "0.3333333333", 1e10 -> "1.e+010".
// Floats are widened first, so 0.1f reads "0.1000000015".
NumberText number_text(double number);
NumberText number_text(float number);
// Plain base-10 digits.
NumberText number_text(std::int32_t number);

// atof: leading blanks skipped, the longest decimal prefix read, 0 when there
// is none. Hexadecimal, "inf" and "nan" are not numbers here.
double text_to_number(const char* text) noexcept;

// ---------------------------------------------------------------------------
// Operands

// Zero-terminated text from either a C string (null reads as "") or a value.
class TextArg {
public:
    TextArg(const char* text) noexcept;
    TextArg(const RtString& value) noexcept : text_(value.text()), length_(value.length) {}
    const char* c_str() const noexcept { return text_; }
    std::uint32_t length() const noexcept { return length_; }
    std::string_view view() const noexcept { return {text_, length_}; }

private:
    const char* text_;
    std::uint32_t length_;
};

// One side of a concatenation or append: text, a value, or a number turned
// into its text. Lives only as a temporary argument.
class ConcatOperand {
public:
    ConcatOperand(const char* text) noexcept;
    ConcatOperand(const RtString& value) noexcept : text_(value.view()) {}
    ConcatOperand(double number) noexcept : number_(rt::number_text(number)), text_(number_.view()) {}
    ConcatOperand(float number) noexcept : number_(rt::number_text(number)), text_(number_.view()) {}
    ConcatOperand(std::int32_t number) noexcept : number_(rt::number_text(number)), text_(number_.view()) {}
    ConcatOperand(const ConcatOperand&) = delete;
    ConcatOperand& operator=(const ConcatOperand&) = delete;
    std::string_view view() const noexcept { return text_; }

private:
    NumberText number_;
    std::string_view text_;
};

// ---------------------------------------------------------------------------
// Core operations

// Points the value at the shared empty buffer, freeing an owned one first.
void rt_string_init_empty(RtString& value) noexcept;
RtString rt_string_from_cstr(const char* text);
RtString rt_string_copy(const RtString& other);
// Frees an owned buffer and zeroes all three words. The value still reads as
// empty afterwards and may be assigned again.
void rt_string_release(RtString& value) noexcept;
// Room for n bytes plus the terminator; returns the buffer. Nothing happens
// while capacity > n, otherwise capacity becomes (n rounded down to 512) + 512.
char* rt_string_reserve(RtString& value, std::uint32_t n);

RtString& rt_string_assign_cstr(RtString& value, const char* text);
void rt_string_set_cstr(RtString& value, const char* text);
RtString& rt_string_assign(RtString& value, const RtString& other);
// A freshly allocated buffer of exactly strlen + 1 bytes; for internal buffers.
void rt_string_assign_exact(RtString& value, const char* text);
RtString& rt_string_assign_number(RtString& value, double number);
RtString& rt_string_assign_number(RtString& value, float number);
RtString& rt_string_assign_number(RtString& value, std::int32_t number);

// Appends text, a value or a number's text.
RtString& rt_string_append(RtString& value, const ConcatOperand& added);

// Left operand's text followed by the right one's; every operand may be a
// C string, a value or a number.
RtString rt_string_concat(const ConcatOperand& left, const ConcatOperand& right);
RtString rt_string_concat_cstr(const RtString& left, const char* right);
RtString rt_cstr_concat_string(const char* left, const RtString& right);

// length = index of the first zero byte. A buffer without one is cut at its
// last byte, so the terminator invariant keeps holding.
void rt_string_recount(RtString& value) noexcept;
// Terminates at index i and recounts; indexes outside the buffer are ignored.
void rt_string_cut_at(RtString& value, std::int32_t index) noexcept;
// Signed byte at index i; 0 for an empty value or an index outside the buffer.
int rt_string_char_at(const RtString& value, std::int32_t index) noexcept;
// Writes byte c at index i without recounting; ignored outside the owned buffer.
void rt_string_set_char(RtString& value, std::int32_t index, int c) noexcept;
// Drops trailing bytes whose signed value is 31 or less: control characters
// and every byte of 128 or more.
void rt_string_trim_control_tail(RtString& value) noexcept;

// ---------------------------------------------------------------------------
// Comparisons
//
// The game's comparisons yield numbers: 1.0 for true, 0.0 for false.
// Text against text compares bytes (strcmp), so "B" < "a"; value = value is
// false at once when the lengths differ. Text against a number reads the text
// with text_to_number and compares the numbers, so "12abc" = 12 holds.
//
// C++ code can also use ==, != and <=> (bool) between values and C strings,
// by the same byte order.

enum class StringComparison { equal, differs, less, greater, less_or_equal, greater_or_equal };

double rt_string_compare(StringComparison op, const RtString& left, const RtString& right) noexcept;
double rt_string_compare(StringComparison op, TextArg left, TextArg right) noexcept;
double rt_string_compare(StringComparison op, TextArg left, double right) noexcept;
double rt_string_compare(StringComparison op, double left, TextArg right) noexcept;

// The two comparisons the game code names: value = text, value <> text.
double rt_string_equals(const RtString& value, const char* text) noexcept;
double rt_string_differs(const RtString& value, const char* text) noexcept;

bool operator==(const RtString& left, const RtString& right) noexcept;
bool operator==(const RtString& left, const char* right) noexcept;
std::strong_ordering operator<=>(const RtString& left, const RtString& right) noexcept;
std::strong_ordering operator<=>(const RtString& left, const char* right) noexcept;

std::ostream& operator<<(std::ostream& out, const RtString& value);

// ---------------------------------------------------------------------------
// C++ conveniences over the operations above.

inline RtString& operator+=(RtString& value, const ConcatOperand& added) { return rt_string_append(value, added); }
inline RtString operator+(const RtString& left, const ConcatOperand& right) { return rt_string_concat(left, right); }
inline RtString operator+(const char* left, const RtString& right) { return rt_string_concat(left, right); }
inline RtString operator+(double left, const RtString& right) { return rt_string_concat(left, right); }
inline RtString operator+(float left, const RtString& right) { return rt_string_concat(left, right); }
inline RtString operator+(std::int32_t left, const RtString& right) { return rt_string_concat(left, right); }

// ---------------------------------------------------------------------------
// The language's string functions

// Up to count bytes from the 0-based start. A start outside 0..length or a
// non-positive count gives ""; a count reaching past the end is clipped.
RtString string_mid(TextArg text, double start, double count);
double string_length(const RtString& text) noexcept;
// First byte as a signed value (-128..127); 0 for an empty text.
double string_first_code(TextArg text) noexcept;
// One-byte text of the truncated code's low byte; a zero byte gives "".
RtString string_from_code(double code);
// Only "a".."z" / "A".."Z" change.
RtString string_upper(TextArg text);
RtString string_lower(TextArg text);
// 0-based position of the first occurrence, -1 when absent, 0 for an empty
// needle.
double string_find(TextArg haystack, TextArg needle) noexcept;
// Every occurrence replaced, the search resuming behind each replacement.
// An empty search text leaves the text as it is.
RtString string_replace_all(TextArg text, TextArg find, TextArg replacement);
// Upper-case hexadecimal, two digits per byte, high nibble first.
RtString hex_of_bytes(std::span<const std::uint8_t> bytes);

// The command-line text kept at start-up.
void set_command_line(std::string_view text);
RtString command_line();

// Strings are described to the debugger with their own type code.
template <>
struct variable_type_of<RtString> : std::integral_constant<VariableType, VariableType::string> {};

}  // namespace rt
