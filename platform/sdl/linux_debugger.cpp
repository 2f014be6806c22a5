#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "platform/debugger.h"

// The latest message, findable by name from a debugger (see platform/debugger.h).
extern "C" {
const char* volatile marlowick_debugger_message = nullptr;
}

namespace platform {
namespace {

// Holds SIGTRAP ignored and unblocked for its lifetime, so that a trap the
// tracer passes on (or one raised after the tracer left) cannot end the process.
class IgnoredTrap {
public:
    IgnoredTrap() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGTRAP, &ignore, &previous_action_);
        sigset_t trap;
        sigemptyset(&trap);
        sigaddset(&trap, SIGTRAP);
        pthread_sigmask(SIG_UNBLOCK, &trap, &previous_mask_);
    }
    ~IgnoredTrap() {
        pthread_sigmask(SIG_SETMASK, &previous_mask_, nullptr);
        sigaction(SIGTRAP, &previous_action_, nullptr);
    }
    IgnoredTrap(const IgnoredTrap&) = delete;
    IgnoredTrap& operator=(const IgnoredTrap&) = delete;

private:
    struct sigaction previous_action_ {};
    sigset_t previous_mask_{};
};

class LinuxDebugger final : public Debugger {
public:
    bool attached() override {
        const int status = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
        if (status < 0) return false;
        std::array<char, 4096> buffer{};
        const ssize_t length = read(status, buffer.data(), buffer.size() - 1);
        close(status);
        if (length <= 0) return false;
        const std::string_view text(buffer.data(), static_cast<std::size_t>(length));
        const std::size_t field = text.find("TracerPid:");
        if (field == std::string_view::npos) return false;
        long tracer = 0;
        std::sscanf(text.data() + field + 10, "%ld", &tracer);
        return tracer != 0;
    }

    void deliver(std::string_view message) override {
        message_.assign(message);
        marlowick_debugger_message = message_.c_str();
        const IgnoredTrap ignored;
        siginfo_t info{};
        info.si_signo = SIGTRAP;
        info.si_code = SI_QUEUE;
        info.si_pid = getpid();
        info.si_uid = getuid();
        info.si_value.sival_ptr = message_.data();
        // Sent to this thread only; the tracer's stop happens before the call returns.
        syscall(SYS_rt_tgsigqueueinfo, getpid(), gettid(), SIGTRAP, &info);
    }

    bool open_console() override {
        const int input = open("/dev/tty", O_RDONLY | O_CLOEXEC);
        if (input < 0) return false;
        const int output = open("/dev/tty", O_WRONLY | O_CLOEXEC);
        if (output < 0) {
            close(input);
            return false;
        }
        std::fflush(stdout);
        const bool bound = dup2(input, STDIN_FILENO) >= 0 && dup2(output, STDOUT_FILENO) >= 0;
        close(input);
        close(output);
        std::clearerr(stdin);
        return bound;
    }

private:
    std::string message_;
};

}  // namespace

std::unique_ptr<Debugger> make_system_debugger() { return std::make_unique<LinuxDebugger>(); }

}  // namespace platform
