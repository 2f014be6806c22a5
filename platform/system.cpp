#include "platform/system.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform {

std::string System::program_dir() {
    const std::string path = program_path();
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::vector<std::string> System::media_dirs() { return user_dirs::media_dirs(program_dir()); }

namespace {

// Media in ../share/marlowick and none beside the program: a copy installed
// into a prefix, whose folders belong to the system even where the player
// (root, say) could write to them.
bool installed_layout(const std::string& dir) {
    std::error_code error;
    const auto present = [&](const std::string& name) { return std::filesystem::exists(dir + name, error); };
    return !present("media.gfx") && !present("gfx") && present("../share/marlowick");
}

}  // namespace

std::string System::progress_dir() {
    const std::string dir = program_dir();
    return installed_layout(dir) ? user_dirs::data_home() : user_dirs::progress_dir(dir);
}

user_dirs::WriteResult System::write_file_atomically(const std::string& path, const std::string& bytes) {
    return user_dirs::write_file_atomically(path, bytes);
}

void System::write_stderr_line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace platform
