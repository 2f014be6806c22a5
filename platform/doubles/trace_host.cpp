#include "platform/doubles/trace_host.h"

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::doubles {
namespace {

constexpr std::size_t max_message_length = 1 << 16;

class PtraceMemory final : public TracedMemory {
public:
    explicit PtraceMemory(pid_t child) : child_(child) {}

    std::uint64_t read_word(std::uintptr_t address) override {
        errno = 0;
        const long word = ptrace(PTRACE_PEEKDATA, child_, reinterpret_cast<void*>(address), nullptr);
        return errno == 0 ? static_cast<std::uint64_t>(word) : 0;
    }

    std::int32_t read_int32(std::uintptr_t address) override {
        const std::uint64_t word = read_word(address);
        std::int32_t value = 0;
        std::memcpy(&value, &word, sizeof value);  // little-endian: the low half is at `address`
        return value;
    }

    void write_int32(std::uintptr_t address, std::int32_t value) override {
        std::uint64_t word = read_word(address);
        std::memcpy(&word, &value, sizeof value);
        ptrace(PTRACE_POKEDATA, child_, reinterpret_cast<void*>(address), reinterpret_cast<void*>(word));
    }

    std::string read_string(std::uintptr_t address) {
        std::string text;
        while (text.size() < max_message_length) {
            const std::uint64_t word = read_word(address + text.size());
            const char* bytes = reinterpret_cast<const char*>(&word);
            for (std::size_t i = 0; i < sizeof word; ++i) {
                if (bytes[i] == '\0') return text;
                text += bytes[i];
            }
        }
        return text;
    }

private:
    pid_t child_;
};

[[noreturn]] void run_child(const std::function<int()>& child_body) {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(126);
    raise(SIGSTOP);  // wait until the parent has taken control
    int code = 255;
    try {
        code = child_body();
    } catch (...) {
    }
    _exit(code);
}

// True when the stop is a message from the debugger channel; `where` gets the text's address.
bool is_channel_message(pid_t child, std::uintptr_t& where) {
    siginfo_t info{};
    if (ptrace(PTRACE_GETSIGINFO, child, nullptr, &info) != 0) return false;
    if (info.si_code != SI_QUEUE) return false;
    where = reinterpret_cast<std::uintptr_t>(info.si_value.sival_ptr);
    return true;
}

}  // namespace

TracedRun run_traced(const std::function<int()>& child_body, const TracedMessageHandler& on_message) {
    TracedRun run;
    const pid_t child = fork();
    if (child < 0) return run;
    if (child == 0) run_child(child_body);

    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) return run;
    run.traced = true;
    ptrace(PTRACE_SETOPTIONS, child, nullptr, reinterpret_cast<void*>(PTRACE_O_EXITKILL));
    ptrace(PTRACE_CONT, child, nullptr, nullptr);

    PtraceMemory memory(child);
    while (waitpid(child, &status, 0) == child) {
        if (WIFEXITED(status)) {
            run.exit_code = WEXITSTATUS(status);
            break;
        }
        if (WIFSIGNALED(status)) break;
        if (!WIFSTOPPED(status)) continue;
        int pass_on = WSTOPSIG(status);
        std::uintptr_t where = 0;
        if (pass_on == SIGTRAP && is_channel_message(child, where)) {
            run.messages.push_back(memory.read_string(where));
            if (on_message) on_message(run.messages.back(), memory);
            pass_on = 0;  // handled: the program continues as if nothing happened
        }
        ptrace(PTRACE_CONT, child, nullptr, reinterpret_cast<void*>(static_cast<long>(pass_on)));
    }
    return run;
}

}  // namespace platform::doubles
