#include "platform/system.h"

#include <cstdio>

namespace platform {

std::string System::program_dir() {
    const std::string path = program_path();
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::vector<std::string> System::media_dirs() { return user_dirs::media_dirs(program_dir()); }

std::string System::progress_dir() { return user_dirs::progress_dir(program_dir()); }

user_dirs::WriteResult System::write_file_atomically(const std::string& path, const std::string& bytes) {
    return user_dirs::write_file_atomically(path, bytes);
}

void System::write_stderr_line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace platform
