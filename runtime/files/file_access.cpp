#include "runtime/files/file_access.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace rt::files {

bool is_readable_file(const std::string& path) {
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) return false;
    return std::ifstream(path, std::ios::binary).is_open();
}

void remove_quietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace rt::files
