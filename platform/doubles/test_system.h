#pragma once
#include <string>
#include <vector>

#include "platform/system.h"

namespace platform::doubles {

// Thrown by TestSystem::exit_process so a test sees the program's end.
struct ProgramExit {
    int code;
};

// Real directories (a private temporary folder), recorded standard output,
// and an exit that throws instead of ending the test runner.
class TestSystem final : public System {
public:
    TestSystem(std::string temp_dir, std::string program_path)
        : temp_dir_(std::move(temp_dir)), program_path_(std::move(program_path)) {}

    std::string temp_dir() override { return temp_dir_; }
    std::string program_path() override { return program_path_; }
    std::string current_dir() override;
    bool set_current_dir(const std::string& path) override;
    void write_stdout_line(std::string_view text) override { stdout_lines.emplace_back(text); }
    void write_stderr_line(std::string_view text) override { stderr_lines.emplace_back(text); }
    void beep() override { ++beeps; }
    [[noreturn]] void exit_process(int code) override { throw ProgramExit{code}; }
    std::uint32_t machine_serial() override { return serial; }
    // Processes really run (tests start harmless commands); dialogs answer from `dialog_answer`.
    ProcessResult run_process(const std::string& command_line, bool wait) override;
    std::optional<std::string> file_dialog(bool save, const FileFilters& filters) override;
    std::unique_ptr<DynamicLibrary> load_library(const std::string& name) override;
    // The real rules unless a test sets the folders or a write failure.
    std::string progress_dir() override { return progress_folder.empty() ? System::progress_dir() : progress_folder; }
    user_dirs::WriteResult write_file_atomically(const std::string& path, const std::string& bytes) override;

    // Stands for a read-only program folder: progress goes here (ends in "/").
    std::string progress_folder;
    // When set, every atomic write fails with this reason and touches nothing.
    std::string failing_write_reason;
    std::vector<std::string> written_paths;

    std::uint32_t serial = 0x12345678u;
    std::optional<std::string> dialog_answer;
    std::vector<std::pair<bool, FileFilters>> dialogs_shown;

    std::vector<std::string> stdout_lines;
    std::vector<std::string> stderr_lines;
    int beeps = 0;

private:
    std::string temp_dir_;
    std::string program_path_;
};

}  // namespace platform::doubles
