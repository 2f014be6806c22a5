#include "runtime/files/progress_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/services.h"
#include "runtime/files/file_access.h"

namespace rt {
namespace {

std::string full_path(const std::string& name) {
    std::string folder = progress_folder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + platform::native_path(name);
}

}  // namespace

std::string write_progress_file(const std::string& name, const std::string& bytes) {
    const auto result = platform::services().system->write_file_atomically(full_path(name), bytes);
    return result.ok ? std::string() : (result.error.empty() ? std::string("unknown failure") : result.error);
}

std::optional<std::string> read_progress_file(const std::string& name, std::size_t limit) {
    const std::string path = full_path(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    bytes.resize(limit + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > limit || in.bad()) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool progress_file_exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(full_path(name), error));
}

void delete_progress_file(const std::string& name) { files::remove_quietly(full_path(name)); }

bool rename_progress_file(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(full_path(from), full_path(to), error);
    return !error;
}

}  // namespace rt
