#pragma once
// POSIX implementations shared by the real system and the test double.
#include "platform/system.h"

namespace platform::posix {

std::uint32_t machine_serial();
ProcessResult run_process(const std::string& command_line, bool wait);
std::optional<std::string> file_dialog(bool save, const FileFilters& filters);
std::unique_ptr<DynamicLibrary> load_library(const std::string& name);

}  // namespace platform::posix
