#include "runtime/core/rt_string.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "runtime/core/numbers.h"
#include "runtime/core/runtime_settings.h"

namespace rt {
namespace {

// Every empty value that has never grown points here. Never written, never freed.
char shared_empty_buffer[1] = {0};
// What consumers get for an empty value.
constexpr const char* static_empty_text = "";

constexpr std::uint32_t growth_step = 512;

static_assert(std::is_standard_layout_v<RtString>);
static_assert(offsetof(RtString, buffer) == 0);
static_assert(offsetof(RtString, capacity) == sizeof(char*));
static_assert(offsetof(RtString, length) == sizeof(char*) + sizeof(std::uint32_t));

bool owns_buffer(const RtString& value) noexcept { return value.capacity != 0; }

// Whether text lies in the value's own buffer, which growth may free.
bool points_into(const RtString& value, std::string_view text) noexcept {
    const std::less_equal<const char*> not_after;
    const std::less<const char*> before;
    return owns_buffer(value) && not_after(value.buffer, text.data()) &&
           before(text.data(), value.buffer + value.capacity);
}

std::uint32_t checked_length(std::size_t length) {
    if (length > rt_string_max_length) throw std::length_error("RtString too long");
    return static_cast<std::uint32_t>(length);
}

void free_owned(RtString& value) noexcept {
    if (owns_buffer(value)) delete[] value.buffer;
}

// The zero-terminated bytes as stored, for comparisons and number reading.
const char* raw_text(const RtString& value) noexcept { return value.buffer ? value.buffer : static_empty_text; }

// Replaces the value's text with the given bytes: reserve, copy, terminate.
void assign_bytes(RtString& value, std::string_view text) {
    if (points_into(value, text)) {
        const std::string own_copy(text);  // the source lives in the buffer that may be replaced
        assign_bytes(value, own_copy);
        return;
    }
    value.length = checked_length(text.size());
    char* buffer = rt_string_reserve(value, value.length);
    if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
    buffer[value.length] = 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// RtString

RtString::RtString() noexcept : buffer(shared_empty_buffer), capacity(0), length(0) {}

RtString::RtString(const char* text) : RtString() { rt_string_assign_cstr(*this, text); }

RtString::RtString(std::string_view text) : RtString() { assign_bytes(*this, text); }

RtString::RtString(double number) : RtString() { rt_string_assign_number(*this, number); }

RtString::RtString(float number) : RtString() { rt_string_assign_number(*this, number); }

RtString::RtString(std::int32_t number) : RtString() { rt_string_assign_number(*this, number); }

RtString::RtString(const RtString& other) : RtString() { assign_bytes(*this, other.view()); }

RtString::RtString(RtString&& other) noexcept
    : buffer(other.buffer), capacity(other.capacity), length(other.length) {
    other.buffer = shared_empty_buffer;
    other.capacity = 0;
    other.length = 0;
}

RtString& RtString::operator=(const RtString& other) { return rt_string_assign(*this, other); }

RtString& RtString::operator=(RtString&& other) noexcept {
    if (this != &other) {
        free_owned(*this);
        buffer = other.buffer;
        capacity = other.capacity;
        length = other.length;
        other.buffer = shared_empty_buffer;
        other.capacity = 0;
        other.length = 0;
    }
    return *this;
}

RtString& RtString::operator=(const char* text) { return rt_string_assign_cstr(*this, text); }

RtString& RtString::operator=(std::string_view text) {
    assign_bytes(*this, text);
    return *this;
}

RtString::~RtString() { rt_string_release(*this); }

const char* RtString::text() const noexcept { return length > 0 ? buffer : static_empty_text; }

// ---------------------------------------------------------------------------
// Number text

NumberText number_text(double number) {
    NumberText out;
    char* const first = out.chars.data();
    if (!std::isfinite(number)) {
        const int written = std::snprintf(first, out.chars.size(), "%g", number);
        out.size = static_cast<std::size_t>(std::max(written, 0));
        return out;
    }

    // "-d.ddddddddde+XX": ten significant digits, already rounded, and the
    // decimal exponent after rounding.
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.9e", number);
    const bool negative = scientific[0] == '-';
    const char* mantissa = scientific + (negative ? 1 : 0);
    char digits[10];
    digits[0] = mantissa[0];
    std::memcpy(digits + 1, mantissa + 2, 9);
    const int exponent = std::atoi(std::strchr(mantissa, 'e') + 1);

    std::string text = negative ? "-" : "";
    std::string fraction;
    if (exponent >= -4 && exponent <= 9) {
        if (exponent >= 0) {
            text.append(digits, static_cast<std::size_t>(exponent) + 1);
            fraction.assign(digits + exponent + 1, static_cast<std::size_t>(9 - exponent));
        } else {
            text += '0';
            fraction.assign(static_cast<std::size_t>(-exponent - 1), '0');
            fraction.append(digits, 10);
        }
    } else {
        text += digits[0];
        fraction.assign(digits + 1, 9);
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    text += '.';
    text += fraction;
    if (exponent < -4 || exponent > 9) {
        char exponent_text[16];
        std::snprintf(exponent_text, sizeof exponent_text, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text += exponent_text;
    }

    if (text == ".0") {
        text = "0";
    } else if (text.back() == '.') {
        text.pop_back();
    }
    out.size = std::min(text.size(), out.chars.size() - 1);
    std::memcpy(first, text.data(), out.size);
    first[out.size] = 0;
    return out;
}

NumberText number_text(float number) { return number_text(static_cast<double>(number)); }

NumberText number_text(std::int32_t number) {
    NumberText out;
    const auto result = std::to_chars(out.chars.data(), out.chars.data() + out.chars.size() - 1, number);
    out.size = static_cast<std::size_t>(result.ptr - out.chars.data());
    out.chars[out.size] = 0;
    return out;
}

double text_to_number(const char* text) noexcept {
    if (text == nullptr) return 0.0;
    const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const char* const start = p;
    if (*p == '+' || *p == '-') ++p;
    const auto skip_digits = [&]() {
        const char* const digits_start = p;
        while (is_digit(*p)) ++p;
        return p != digits_start;
    };
    bool any_digit = skip_digits();
    if (*p == '.') {
        ++p;
        any_digit = skip_digits() || any_digit;
    }
    if (!any_digit) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (is_digit(*q)) {
            while (is_digit(*q)) ++q;
            p = q;
        }
    }
    // Only the decimal prefix reaches strtod, so it cannot read hexadecimal or "inf".
    char small[128];
    if (static_cast<std::size_t>(p - start) < sizeof small) {
        std::memcpy(small, start, static_cast<std::size_t>(p - start));
        small[p - start] = 0;
        return std::strtod(small, nullptr);
    }
    try {
        const std::string prefix(start, p);
        return std::strtod(prefix.c_str(), nullptr);
    } catch (...) {
        return 0.0;
    }
}

// ---------------------------------------------------------------------------
// Operands

TextArg::TextArg(const char* text) noexcept
    : text_(text ? text : static_empty_text), length_(static_cast<std::uint32_t>(std::strlen(text_))) {}

ConcatOperand::ConcatOperand(const char* text) noexcept : text_(text ? text : static_empty_text) {}

// ---------------------------------------------------------------------------
// Core operations

void rt_string_init_empty(RtString& value) noexcept {
    free_owned(value);
    value.buffer = shared_empty_buffer;
    value.capacity = 0;
    value.length = 0;
}

RtString rt_string_from_cstr(const char* text) { return RtString(text); }

RtString rt_string_copy(const RtString& other) { return RtString(other); }

void rt_string_release(RtString& value) noexcept {
    free_owned(value);
    value.buffer = nullptr;
    value.capacity = 0;
    value.length = 0;
}

char* rt_string_reserve(RtString& value, std::uint32_t n) {
    if (value.capacity > n) return value.buffer;
    if (n > rt_string_max_length) throw std::length_error("RtString too long");
    const std::uint32_t new_capacity = (n / growth_step) * growth_step + growth_step;
    auto grown = std::make_unique<char[]>(new_capacity);
    if (owns_buffer(value)) {
        std::memcpy(grown.get(), value.buffer, value.capacity);
        delete[] value.buffer;
    } else {
        grown[0] = 0;
    }
    value.buffer = grown.release();
    value.capacity = new_capacity;
    return value.buffer;
}

RtString& rt_string_assign_cstr(RtString& value, const char* text) {
    assign_bytes(value, text ? std::string_view(text) : std::string_view());
    return value;
}

void rt_string_set_cstr(RtString& value, const char* text) { rt_string_assign_cstr(value, text); }

RtString& rt_string_assign(RtString& value, const RtString& other) {
    if (&value != &other) assign_bytes(value, other.view());
    return value;
}

void rt_string_assign_exact(RtString& value, const char* text) {
    const std::string_view source = text ? std::string_view(text) : std::string_view();
    const std::uint32_t length = checked_length(source.size());
    auto exact = std::make_unique<char[]>(std::size_t{length} + 1);
    std::memcpy(exact.get(), source.data(), length);
    exact[length] = 0;
    free_owned(value);
    value.buffer = exact.release();
    value.capacity = length + 1;
    value.length = length;
}

RtString& rt_string_assign_number(RtString& value, double number) {
    assign_bytes(value, number_text(number).view());
    return value;
}

RtString& rt_string_assign_number(RtString& value, float number) {
    assign_bytes(value, number_text(number).view());
    return value;
}

RtString& rt_string_assign_number(RtString& value, std::int32_t number) {
    assign_bytes(value, number_text(number).view());
    return value;
}

RtString& rt_string_append(RtString& value, const ConcatOperand& added) {
    std::string_view text = added.view();
    std::string own_copy;
    if (points_into(value, text)) {
        own_copy.assign(text);  // appending a value to itself: growth would free the source
        text = own_copy;
    }
    const std::uint32_t old_length = value.length;
    const std::uint32_t new_length = checked_length(std::size_t{old_length} + text.size());
    char* buffer = rt_string_reserve(value, new_length);
    if (!text.empty()) std::memcpy(buffer + old_length, text.data(), text.size());
    buffer[new_length] = 0;
    value.length = new_length;
    return value;
}

RtString rt_string_concat(const ConcatOperand& left, const ConcatOperand& right) {
    const std::string_view a = left.view();
    const std::string_view b = right.view();
    RtString result;
    result.length = checked_length(a.size() + b.size());
    char* buffer = rt_string_reserve(result, result.length);
    if (!a.empty()) std::memcpy(buffer, a.data(), a.size());
    if (!b.empty()) std::memcpy(buffer + a.size(), b.data(), b.size());
    buffer[result.length] = 0;
    return result;
}

RtString rt_string_concat_cstr(const RtString& left, const char* right) { return rt_string_concat(left, right); }

RtString rt_cstr_concat_string(const char* left, const RtString& right) { return rt_string_concat(left, right); }

void rt_string_recount(RtString& value) noexcept {
    if (!owns_buffer(value)) {
        value.length = 0;
        return;
    }
    const std::size_t length = strnlen(value.buffer, value.capacity);
    if (length == value.capacity) {
        value.buffer[value.capacity - 1] = 0;
        value.length = value.capacity - 1;
    } else {
        value.length = static_cast<std::uint32_t>(length);
    }
}

void rt_string_cut_at(RtString& value, std::int32_t index) noexcept {
    if (!owns_buffer(value) || index < 0 || static_cast<std::uint32_t>(index) >= value.capacity) return;
    value.buffer[index] = 0;
    rt_string_recount(value);
}

int rt_string_char_at(const RtString& value, std::int32_t index) noexcept {
    if (value.length == 0 || index < 0 || static_cast<std::uint32_t>(index) >= value.capacity) return 0;
    return static_cast<signed char>(value.buffer[index]);
}

void rt_string_set_char(RtString& value, std::int32_t index, int c) noexcept {
    if (!owns_buffer(value) || index < 0 || static_cast<std::uint32_t>(index) >= value.capacity) return;
    value.buffer[index] = static_cast<char>(c);
}

void rt_string_trim_control_tail(RtString& value) noexcept {
    const std::uint32_t old_length = value.length;
    while (value.length > 0 && static_cast<signed char>(value.buffer[value.length - 1]) <= 31) --value.length;
    if (value.length != old_length) value.buffer[value.length] = 0;
}

// ---------------------------------------------------------------------------
// Comparisons

namespace {

template <typename T>
double truth_of(StringComparison op, const T& left, const T& right) noexcept {
    bool result = false;
    switch (op) {
    case StringComparison::equal: result = left == right; break;
    case StringComparison::differs: result = left != right; break;
    case StringComparison::less: result = left < right; break;
    case StringComparison::greater: result = left > right; break;
    case StringComparison::less_or_equal: result = left <= right; break;
    case StringComparison::greater_or_equal: result = left >= right; break;
    }
    return result ? 1.0 : 0.0;
}

double compare_texts(StringComparison op, const char* left, const char* right) noexcept {
    return truth_of(op, std::strcmp(left, right), 0);
}

}  // namespace

double rt_string_compare(StringComparison op, const RtString& left, const RtString& right) noexcept {
    if (left.length != right.length) {
        if (op == StringComparison::equal) return 0.0;
        if (op == StringComparison::differs) return 1.0;
    }
    return compare_texts(op, raw_text(left), raw_text(right));
}

double rt_string_compare(StringComparison op, TextArg left, TextArg right) noexcept {
    return compare_texts(op, left.c_str(), right.c_str());
}

double rt_string_compare(StringComparison op, TextArg left, double right) noexcept {
    return truth_of(op, text_to_number(left.c_str()), right);
}

double rt_string_compare(StringComparison op, double left, TextArg right) noexcept {
    return truth_of(op, left, text_to_number(right.c_str()));
}

double rt_string_equals(const RtString& value, const char* text) noexcept {
    return rt_string_compare(StringComparison::equal, raw_text(value), text);
}

double rt_string_differs(const RtString& value, const char* text) noexcept {
    return rt_string_compare(StringComparison::differs, raw_text(value), text);
}

bool operator==(const RtString& left, const RtString& right) noexcept {
    return rt_string_compare(StringComparison::equal, left, right) != 0.0;
}

bool operator==(const RtString& left, const char* right) noexcept { return rt_string_equals(left, right) != 0.0; }

std::strong_ordering operator<=>(const RtString& left, const RtString& right) noexcept {
    return std::strcmp(raw_text(left), raw_text(right)) <=> 0;
}

std::strong_ordering operator<=>(const RtString& left, const char* right) noexcept {
    return std::strcmp(raw_text(left), right ? right : static_empty_text) <=> 0;
}

std::ostream& operator<<(std::ostream& out, const RtString& value) { return out << value.view(); }

// ---------------------------------------------------------------------------
// String functions

RtString string_mid(TextArg text, double start, double count) {
    RtString result;
    const double length = text.length();
    if (std::trunc(start + count) > length) count = length - start;
    if (count > 0.0 && start >= 0.0 && start <= length) {
        rt_string_assign_cstr(result, text.c_str() + static_cast<std::uint32_t>(start));
        rt_string_cut_at(result, static_cast<std::int32_t>(std::min(count, length)));
    }
    return result;
}

double string_length(const RtString& text) noexcept { return text.length; }

double string_first_code(TextArg text) noexcept {
    return text.length() == 0 ? 0.0 : static_cast<signed char>(text.c_str()[0]);
}

RtString string_from_code(double code) {
    const char bytes[2] = {static_cast<char>(truncate_to_int32(code) & 0xFF), 0};
    return RtString(bytes);
}

namespace {

RtString with_case_changed(TextArg text, char from_first, char from_last, int shift) {
    RtString result(text.view());
    for (std::uint32_t i = 0; i < result.length; ++i) {
        char& c = result.buffer[i];
        if (c >= from_first && c <= from_last) c = static_cast<char>(c + shift);
    }
    return result;
}

}  // namespace

RtString string_upper(TextArg text) { return with_case_changed(text, 'a', 'z', 'A' - 'a'); }

RtString string_lower(TextArg text) { return with_case_changed(text, 'A', 'Z', 'a' - 'A'); }

double string_find(TextArg haystack, TextArg needle) noexcept {
    const char* found = std::strstr(haystack.c_str(), needle.c_str());
    return found ? static_cast<double>(found - haystack.c_str()) : -1.0;
}

RtString string_replace_all(TextArg text, TextArg find, TextArg replacement) {
    const std::string_view source = text.c_str();
    const std::string_view pattern = find.c_str();
    if (pattern.empty()) return RtString(source);
    // Resuming behind each inserted replacement means every match lies in the
    // untouched remainder of the original, so one left-to-right pass suffices.
    std::string rebuilt;
    std::size_t position = 0;
    for (std::size_t match = source.find(pattern); match != std::string_view::npos;
         match = source.find(pattern, position)) {
        rebuilt.append(source.substr(position, match - position));
        rebuilt.append(replacement.c_str());
        position = match + pattern.size();
    }
    rebuilt.append(source.substr(position));
    return RtString(std::string_view(rebuilt));
}

RtString hex_of_bytes(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return RtString(std::string_view(hex));
}

void set_command_line(std::string_view text) { runtime_state().command_line = text; }

RtString command_line() { return runtime_state().command_line; }

}  // namespace rt
