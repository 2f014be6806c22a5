#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::doubles {

// The memory of a process stopped under trace.
class TracedMemory {
public:
    virtual ~TracedMemory() = default;
    virtual std::uint64_t read_word(std::uintptr_t address) = 0;
    virtual std::int32_t read_int32(std::uintptr_t address) = 0;
    virtual void write_int32(std::uintptr_t address, std::int32_t value) = 0;
};

struct TracedRun {
    bool traced = false;  // the child could be started under trace
    int exit_code = -1;   // -1 when it did not exit normally
    std::vector<std::string> messages;
};

using TracedMessageHandler = std::function<void(std::string_view message, TracedMemory& memory)>;

// A minimal debugger for tests: forks a child that is traced by this
// process, runs `child_body` in it (its result is the child's exit code) and
// collects every message the child delivers through the system debugger
// channel. `on_message` runs while the child is stopped at that message.
TracedRun run_traced(const std::function<int()>& child_body, const TracedMessageHandler& on_message);

}  // namespace platform::doubles
