#pragma once
#include <memory>
#include <string_view>

namespace platform {

// The channel to a debugger that runs the program as a traced process.
//
// Linux protocol, for anyone writing a debugger front-end:
// - A debugger is attached when the process is traced (TracerPid in
//   /proc/self/status is not 0).
// - deliver() copies the message, NUL-terminated, into the buffer
//   `marlowick_debugger_message` and raises SIGTRAP in the calling thread
//   with si_code SI_QUEUE and si_value.sival_ptr = that buffer. The tracer
//   sees a signal-delivery stop, may read and write the process's memory,
//   and resumes it without passing the signal on (gdb's default for
//   SIGTRAP; PTRACE_CONT with signal 0). Should the signal be passed on
//   anyway, it is ignored: the process is never killed by it.
// - In gdb: `x/s $_siginfo._sifields._rt.si_sigval.sival_ptr`, or
//   `print marlowick_debugger_message`.
class Debugger {
public:
    virtual ~Debugger() = default;

    // Asks the system whether the process is traced now. Not cheap (reads a
    // file): callers keep the answer.
    virtual bool attached() = 0;
    // Stops the process while the debugger handles the message and returns
    // when it lets the process continue. Nothing happens when not traced.
    virtual void deliver(std::string_view message) = 0;
    // Binds standard input and output to the controlling terminal
    // (/dev/tty), the analogue of giving the program a console window of
    // its own. False when the process has no terminal; the streams are then
    // left as they were.
    virtual bool open_console() = 0;
};

// The real channel of this system.
std::unique_ptr<Debugger> make_system_debugger();

}  // namespace platform
