#pragma once
#include <string>

namespace rt {

// Ends a program that cannot usefully run (no OpenGL, no usable game data):
// the message goes to standard error, the error log and a message box where
// one can be shown; everything is released and the process ends with
// exit_code, so that whoever started it can tell.
[[noreturn]] void fail_program(const std::string& message, int exit_code = 1);

// Caption of that message box.
inline constexpr const char* failure_caption = "Marlowick";

}  // namespace rt
