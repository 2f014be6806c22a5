#pragma once
#include <string>

namespace rt {

// The runtime's number-to-text rule ("3", "0.5", "0.3333333333"), defined
// with the runtime strings. Only number_lines.cpp uses it, so programs that
// never write number lines do not need it linked.
std::string number_to_text(double value);

}  // namespace rt
