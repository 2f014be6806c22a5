#pragma once
#include <filesystem>
#include <string>

#include "platform/doubles/test_system.h"
#include "platform/doubles/virtual_clock.h"

namespace testing_support {

// A private temporary directory, removed at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The path with a trailing "/", as the system reports temporary directories.
    std::string slash_path() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

// Installs the virtual clock and the test system (exit throws ProgramExit)
// into the process's services; the window and input are left to the test.
struct TestServices {
    platform::doubles::VirtualClock* clock;
    platform::doubles::TestSystem* system;
};
TestServices install_test_services(const TempDir& temp, double clock_step_ms = 0.25);

// Recording sound and music devices, so runs never depend on an audio driver.
void install_quiet_audio();

std::string read_file(const std::filesystem::path& path);

}  // namespace testing_support
