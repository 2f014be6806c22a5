#pragma once
#include <string>
#include <string_view>

namespace platform {

// Process-level services of the operating system.
class System {
public:
    virtual ~System() = default;
    // The user's temporary directory, ending in "/".
    virtual std::string temp_dir() = 0;
    // Full path of the running executable (symbolic links resolved).
    virtual std::string program_path() = 0;
    virtual std::string current_dir() = 0;
    virtual bool set_current_dir(const std::string& path) = 0;
    virtual void write_stdout_line(std::string_view text) = 0;
    virtual void beep() = 0;
    // Ends the process. Test doubles throw instead, so a test can watch the end.
    [[noreturn]] virtual void exit_process(int code) = 0;
};

}  // namespace platform
