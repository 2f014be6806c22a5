#include <unistd.h>

#include <SDL.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/sdl/posix_services.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

class PosixSystem final : public System {
public:
    std::string temp_dir() override {
        const char* dir = std::getenv("TMPDIR");
        std::string path = (dir != nullptr && *dir != '\0') ? dir : "/tmp";
        if (path.back() != '/') path += '/';
        return path;
    }

    std::string program_path() override {
        std::vector<char> buffer(PATH_MAX + 1, '\0');
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), PATH_MAX);
        if (n <= 0) return {};
        return std::string(buffer.data(), static_cast<std::size_t>(n));
    }

    std::string current_dir() override {
        std::vector<char> buffer(PATH_MAX + 1, '\0');
        if (getcwd(buffer.data(), buffer.size()) == nullptr) return {};
        return buffer.data();
    }

    bool set_current_dir(const std::string& path) override {
        return chdir(native_path(path).c_str()) == 0;
    }

    void write_stdout_line(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

    void write_stderr_line(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }

    void beep() override {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }

    [[noreturn]] void exit_process(int code) override {
        std::fflush(nullptr);
        release_devices();
        SDL_Quit();
        std::exit(code);
    }

    std::uint32_t machine_serial() override { return posix::machine_serial(); }
    ProcessResult run_process(const std::string& command_line, bool wait) override {
        return posix::run_process(command_line, wait);
    }
    std::optional<std::string> file_dialog(bool save, const FileFilters& filters) override {
        return posix::file_dialog(save, filters);
    }
    std::unique_ptr<DynamicLibrary> load_library(const std::string& name) override {
        return posix::load_library(name);
    }
};

}  // namespace

std::unique_ptr<System> make_posix_system() { return std::make_unique<PosixSystem>(); }

}  // namespace platform
