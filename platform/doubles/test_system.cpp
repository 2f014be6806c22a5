#include "platform/doubles/test_system.h"

#include <filesystem>
#include <system_error>

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

}  // namespace platform::doubles
