#pragma once
#include <string>
#include <string_view>

namespace rt {

// Answers a query keyed by text; the key is upper-cased in place first.
// Keys: "" (the system), "GLEXT:name", "ID", "DEVICE", "TIME"; else "NO_DATA".
std::string platform_info(std::string& key);
// The local time as "year-month-day hh:mm:ss", each time field blank-padded to 2.
std::string local_time_text();

// Plays the handheld target on the desktop: the device query answers "GP2X"
// and, for the touchscreen model, the touchscreen's device file is reported
// as present by file_exists.
void simulate_handheld(bool touchscreen);
bool simulated_device_file(std::string_view path);

// Starts a command line; 1.0 when started. With wait, blocks until it ends
// and stores its exit code.
double run_program(std::string_view command, double wait, double show, double& exit_code);
// The desktop's open (mode != 0) or save (mode 0) dialog; filter pairs are
// separated by "|". "NO_FILE" when cancelled or unavailable.
std::string file_dialog(double mode, std::string_view filter);
// Binds an exported function of a shared library; null on any failure.
void bind_library_function(std::string_view library, std::string_view function, void*& out_address);

}  // namespace rt
