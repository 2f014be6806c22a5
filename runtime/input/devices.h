#pragma once
#include <cmath>
#include <limits>

#include "platform/services.h"

namespace rt::input_detail {

// The process's input devices; null when none were installed.
inline platform::InputDevices* devices() { return platform::services().input.get(); }

// A command's number as an integer, truncated toward zero; values that fit
// no int (and NaN) give 0.
inline int truncated(double value) {
    const double whole = std::trunc(value);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max())) return 0;
    return static_cast<int>(whole);
}

}  // namespace rt::input_detail
