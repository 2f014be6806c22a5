#pragma once

namespace rt {

// Run-time error numbers.
inline constexpr int error_normal_end = 0;
inline constexpr int error_file_transfer = 3;
inline constexpr int error_index_beyond_limit = 7;
inline constexpr int error_array_index = 9;

void set_source_position(double file, double line);
// Records the error number and the line it happened on; returns the code.
double set_error_code(double code);
// The game's END: a normal end through terminate_program.
[[noreturn]] void end_program();
// set_error_code followed by terminate_program.
[[noreturn]] void raise_runtime_error(int code);

}  // namespace rt
