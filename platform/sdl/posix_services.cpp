#include "platform/sdl/posix_services.h"

#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

extern char** environ;

namespace platform::posix {
namespace {

class PosixLibrary final : public DynamicLibrary {
public:
    explicit PosixLibrary(void* handle) : handle_(handle) {}
    ~PosixLibrary() override { dlclose(handle_); }
    PosixLibrary(const PosixLibrary&) = delete;
    PosixLibrary& operator=(const PosixLibrary&) = delete;
    void* symbol(const std::string& name) override { return dlsym(handle_, name.c_str()); }

private:
    void* handle_;
};

// FNV-1a: spreads the machine id's text over 32 bits.
std::uint32_t hash_text(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

bool program_available(const char* name) {
    const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string shell_quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string dialog_command(bool save, const FileFilters& filters) {
    if (program_available("zenity")) {
        std::string command = "zenity --file-selection";
        if (save) command += " --save --confirm-overwrite";
        for (const auto& [description, pattern] : filters) {
            command += " --file-filter=" + shell_quote(description + " | " + pattern);
        }
        return command;
    }
    if (program_available("kdialog")) {
        std::string patterns;
        for (const auto& [description, pattern] : filters) {
            if (!patterns.empty()) patterns += "\n";
            patterns += pattern + "|" + description;
        }
        return std::string("kdialog ") + (save ? "--getsavefilename" : "--getopenfilename") + " . " +
               shell_quote(patterns);
    }
    return {};
}

struct PipeCloser {
    void operator()(std::FILE* pipe) const { pclose(pipe); }
};

}  // namespace

std::uint32_t machine_serial() {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream in(path);
        std::string id;
        if (in >> id && !id.empty()) return hash_text(id);
    }
    return 0x4D574B31u;  // a fixed default when the system has no machine id
}

ProcessResult run_process(const std::string& command_line, bool wait) {
    const char* const arguments[] = {"/bin/sh", "-c", command_line.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(arguments), environ) != 0) {
        return {};
    }
    ProcessResult result{true, 0};
    if (!wait) return result;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    // A shell that could not find the command reports 127: nothing was started.
    if (result.exit_code == 127) result.started = false;
    return result;
}

std::optional<std::string> file_dialog(bool save, const FileFilters& filters) {
    const std::string command = dialog_command(save, filters);
    if (command.empty()) return std::nullopt;
    std::unique_ptr<std::FILE, PipeCloser> pipe(popen((command + " 2>/dev/null").c_str(), "r"));
    if (!pipe) return std::nullopt;
    std::string chosen;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) chosen += buffer.data();
    while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r')) chosen.pop_back();
    if (chosen.empty()) return std::nullopt;
    return chosen;
}

std::unique_ptr<DynamicLibrary> load_library(const std::string& name) {
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return std::make_unique<PosixLibrary>(handle);
}

}  // namespace platform::posix
