#pragma once
#include <cmath>
#include <limits>
#include <string>

// Small helpers shared by the file commands and the media archive.
namespace rt::files {

// Windows cannot open a directory as a file; neither may we.
bool is_readable_file(const std::string& path);
void remove_quietly(const std::string& path);

// Truncates toward zero; NaN gives 0 and values outside int give its limits,
// so a wild channel or index is simply out of range.
inline int truncate_to_int(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (whole >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

}  // namespace rt::files
