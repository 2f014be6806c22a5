#pragma once
#include <cstdint>

#include "runtime/core/rt_string.h"

namespace rt {

// A number used where an integer is needed: truncated toward zero. NaN and
// values outside the 32-bit range give INT32_MIN, as the processor's own
// conversion does, instead of undefined behaviour.
std::int32_t truncate_to_int32(double number) noexcept;

// Trigonometry in degrees.
double sin_degrees(double degrees) noexcept;
double cos_degrees(double degrees) noexcept;
double tan_degrees(double degrees) noexcept;
double atan2_degrees(double y, double x) noexcept;
// 0 for x >= 1, 180 for x <= -1.
double acos_degrees(double x) noexcept;

double square_root(double x) noexcept;
double power(double base, double exponent) noexcept;
// x when x > 0 (or NaN), else -x; so +0 gives -0.
double absolute_value(double x) noexcept;
// Truncating remainder of the two numbers truncated to 32-bit integers; its
// sign is that of a. 0 when b (or its truncation) is 0, and for INT32_MIN
// by -1.
double number_mod(double a, double b) noexcept;

// A whole number in 0..trunc(n) from the process-wide generator; each call
// runs one generation pass. n <= 0 gives 0 and leaves the generator alone.
double random_number(double n) noexcept;
// Restarts the process-wide generator; different seeds give different
// sequences. Until the first call it runs from the all-zero seed.
void seed_random(std::uint32_t seed) noexcept;

// The value printed as "%W.Df" with W = trunc(width) and D = trunc(decimals);
// the result is at most 255 bytes long.
RtString format_number(double width, double decimals, double value);
// Length of the number's text.
double number_text_length(double number);

}  // namespace rt
