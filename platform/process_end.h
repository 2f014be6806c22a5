#pragma once
// The process's ways out that do not wait for an orderly shutdown.
namespace platform {

// SIGTERM, SIGINT and SIGHUP ask the program to end. The first one only
// raises a flag that the frame loop, the waits and the warning box look at,
// so the end goes through the runtime's own shutdown; a second one while
// that is still pending ends the process at once, unless it came within half
// a second of the first (the same request delivered twice).
void install_quit_signal_handlers();
bool quit_signal_pending();
// The signal that asked, 0 when none.
int quit_signal_number();
// Forgets a request (tests raise signals at themselves).
void clear_quit_signal();

// File work the runtime wants done when the process has to end without its
// shutdown (the display connection is gone): delete temporary files, write
// the end report. It must not touch the window or any device.
using EmergencyCleanup = void (*)();
void set_emergency_cleanup(EmergencyCleanup cleanup);
// Runs the cleanup once and ends the process with code, no destructors.
[[noreturn]] void end_process_at_once(int code);

}  // namespace platform
