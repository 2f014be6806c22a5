#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/user_dirs.h"

namespace platform {

// A shared library kept loaded while this object lives.
class DynamicLibrary {
public:
    virtual ~DynamicLibrary() = default;
    // Address of an exported symbol, null when the library lacks it.
    virtual void* symbol(const std::string& name) = 0;
};

struct ProcessResult {
    bool started = false;
    int exit_code = 0;  // only when waited for
};

// (description, pattern) pairs, e.g. ("Pictures", "*.png").
using FileFilters = std::vector<std::pair<std::string, std::string>>;

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

    // A number that stays the same on this machine and differs between machines.
    virtual std::uint32_t machine_serial() = 0;
    // Runs a command line; waits for its end when asked.
    virtual ProcessResult run_process(const std::string& command_line, bool wait) = 0;
    // The desktop's file dialog; nothing when cancelled or when there is none.
    virtual std::optional<std::string> file_dialog(bool save, const FileFilters& filters) = 0;
    virtual std::unique_ptr<DynamicLibrary> load_library(const std::string& name) = 0;

    // Where the program's files live on this desktop. The defaults follow
    // platform/user_dirs.h from the program's own folder; doubles override them.
    // Folders holding the game's media, in search order, each ending in "/".
    virtual std::vector<std::string> media_dirs();
    // Where what the program writes is kept (ends in "/"): its own folder
    // when writable and not an installed copy's, else the user's data folder.
    virtual std::string progress_dir();
    // Temporary file in the same folder, flushed, renamed into place.
    virtual user_dirs::WriteResult write_file_atomically(const std::string& path, const std::string& bytes);
    // A line on standard error, for the player to read.
    virtual void write_stderr_line(std::string_view text);

    // The folder of program_path(), ending in "/".
    std::string program_dir();
};

}  // namespace platform
