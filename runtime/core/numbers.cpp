#include "runtime/core/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/core/isaac.h"

namespace rt {
namespace {

constexpr double radians_per_degree = 0.017453292519943295;
constexpr double degrees_per_radian = 57.29577951308232;
constexpr std::uint32_t formatted_capacity = 256;
// Beyond this a field could not fit the formatted result anyway.
constexpr int format_field_limit = 255;

Isaac& generator() {
    static Isaac isaac;
    return isaac;
}

}  // namespace

std::int32_t truncate_to_int32(double number) noexcept {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    const double whole = std::trunc(number);
    if (!(whole >= lowest && whole <= highest)) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(whole);
}

double sin_degrees(double degrees) noexcept { return std::sin(degrees * radians_per_degree); }

double cos_degrees(double degrees) noexcept { return std::cos(degrees * radians_per_degree); }

double tan_degrees(double degrees) noexcept { return std::tan(degrees * radians_per_degree); }

double atan2_degrees(double y, double x) noexcept { return std::atan2(y, x) * degrees_per_radian; }

double acos_degrees(double x) noexcept {
    if (x >= 1.0) return 0.0;
    if (x <= -1.0) return 180.0;
    return std::acos(x) * degrees_per_radian;
}

double square_root(double x) noexcept { return std::sqrt(x); }

double power(double base, double exponent) noexcept { return std::pow(base, exponent); }

double absolute_value(double x) noexcept { return (x > 0.0 || std::isnan(x)) ? x : -x; }

double number_mod(double a, double b) noexcept {
    if (b == 0.0) return 0.0;
    const std::int32_t dividend = truncate_to_int32(a);
    const std::int32_t divisor = truncate_to_int32(b);
    // A divisor truncated to 0 would trap; INT32_MIN % -1 overflows. Both are 0.
    if (divisor == 0 || divisor == -1) return 0.0;
    return dividend % divisor;
}

double random_number(double n) noexcept {
    if (!(n > 0.0)) return 0.0;
    Isaac& isaac = generator();
    isaac.generate();
    const std::uint32_t modulus = static_cast<std::uint32_t>(truncate_to_int32(n)) + 1u;
    return isaac.results()[0] % modulus;
}

void seed_random(std::uint32_t seed) noexcept {
    Isaac::Block words{};
    words[0] = seed;
    generator() = Isaac(words);
}

RtString format_number(double width, double decimals, double value) {
    const int field = std::clamp(truncate_to_int32(width), -format_field_limit, format_field_limit);
    const int places = std::clamp(truncate_to_int32(decimals), 0, format_field_limit);
    RtString result;
    char* buffer = rt_string_reserve(result, formatted_capacity);
    std::snprintf(buffer, formatted_capacity, "%*.*f", field, places, value);
    rt_string_recount(result);
    return result;
}

double number_text_length(double number) { return static_cast<double>(number_text(number).size); }

}  // namespace rt
