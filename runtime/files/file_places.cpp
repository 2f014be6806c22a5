#include "runtime/files/file_places.h"

#include <filesystem>
#include <system_error>

#include "platform/services.h"
#include "runtime/files/file_access.h"

namespace rt::files {
namespace {

platform::System& system() { return *platform::services().system; }

bool is_relative(const std::string& path) { return !path.empty() && path.front() != '/'; }

bool same_folder(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// The program's own folder is read-only: writes go elsewhere.
bool writes_redirected(std::string& progress) {
    progress = system().progress_dir();
    return !progress.empty() && !same_folder(progress, system().program_dir());
}

}  // namespace

std::string place_to_read(const std::string& name) {
    const std::string path = platform::native_path(name);
    if (!is_relative(path) || is_readable_file(path)) return path;
    std::string progress;
    if (writes_redirected(progress) && is_readable_file(progress + path)) return progress + path;
    for (const std::string& dir : system().media_dirs()) {
        if (is_readable_file(dir + path)) return dir + path;
    }
    return path;
}

std::string place_to_write(const std::string& name) {
    const std::string path = platform::native_path(name);
    std::string progress;
    if (!is_relative(path) || !writes_redirected(progress)) return path;
    const std::filesystem::path target = std::filesystem::path(progress) / path;
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    return target.string();
}

}  // namespace rt::files

namespace rt {

SaveResult save_file(const std::string& name, const std::string& bytes) {
    const std::string place = files::place_to_write(name);
    std::error_code error;
    const auto absolute = std::filesystem::absolute(place, error);
    const std::string path = error ? place : absolute.lexically_normal().string();
    const auto written = platform::services().system->write_file_atomically(path, bytes);
    return {written.ok, path, written.error};
}

}  // namespace rt
