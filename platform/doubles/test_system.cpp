#include "platform/doubles/test_system.h"

#include <filesystem>
#include <system_error>

#include "platform/sdl/posix_services.h"
#include "platform/services.h"

namespace platform::doubles {

std::string TestSystem::current_dir() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

bool TestSystem::set_current_dir(const std::string& path) {
    std::error_code error;
    std::filesystem::current_path(native_path(path), error);
    return !error;
}

ProcessResult TestSystem::run_process(const std::string& command_line, bool wait) {
    return posix::run_process(command_line, wait);
}

std::optional<std::string> TestSystem::file_dialog(bool save, const FileFilters& filters) {
    dialogs_shown.emplace_back(save, filters);
    return dialog_answer;
}

std::unique_ptr<DynamicLibrary> TestSystem::load_library(const std::string& name) {
    return posix::load_library(name);
}

user_dirs::WriteResult TestSystem::write_file_atomically(const std::string& path, const std::string& bytes) {
    written_paths.push_back(path);
    if (!failing_write_reason.empty()) return {false, failing_write_reason};
    return System::write_file_atomically(path, bytes);
}

}  // namespace platform::doubles
