#include "tests/support/headless.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/doubles/recording_music.h"
#include "platform/doubles/recording_sound.h"
#include "platform/services.h"

namespace testing_support {

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("marlowick-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TestServices install_test_services(const TempDir& temp, double clock_step_ms) {
    auto clock = std::make_unique<platform::doubles::VirtualClock>(clock_step_ms);
    auto system = std::make_unique<platform::doubles::TestSystem>(temp.slash_path(),
                                                                  (temp.path() / "marlowick").string());
    TestServices installed{clock.get(), system.get()};
    // The player's settings of a run under test stay in the test's folder.
    setenv("XDG_CONFIG_HOME", (temp.path() / "config").c_str(), 1);
    platform::services().clock = std::move(clock);
    platform::services().system = std::move(system);
    return installed;
}

void install_quiet_audio() {
    platform::services().sound = std::make_unique<platform::doubles::RecordingSoundDevice>();
    platform::services().music = std::make_unique<platform::doubles::RecordingMusicPlayer>();
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace testing_support
