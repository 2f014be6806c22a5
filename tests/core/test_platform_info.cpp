#include <gtest/gtest.h>

#include <regex>

#include "platform/doubles/fake_window.h"
#include "platform/services.h"
#include "runtime/core/platform_info.h"
#include "tests/support/headless.h"

namespace {

class PlatformInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = testing_support::install_test_services(temp_);
        platform::services().window = std::make_unique<platform::doubles::FakeWindow>();
    }
    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
};

TEST_F(PlatformInfoTest, KeysAreUpperCasedInPlaceAndMatchedExactly) {
    std::string key = "device";
    EXPECT_EQ(rt::platform_info(key), "DESKTOP");
    EXPECT_EQ(key, "DEVICE");

    std::string plural = "Devices";
    EXPECT_EQ(rt::platform_info(plural), "NO_DATA");
    std::string unknown = "gp2x";
    EXPECT_EQ(rt::platform_info(unknown), "NO_DATA");
}

TEST_F(PlatformInfoTest, TimeFieldsArePaddedWithBlanks) {
    std::string key = "time";
    const std::string time = rt::platform_info(key);
    EXPECT_TRUE(std::regex_match(time, std::regex(R"(\d{4}-([1-9]|1[0-2])-([1-9]|[12]\d|3[01]) [ 12]\d:[ 1-5]\d:[ 1-5]\d)")))
        << time;
}

TEST_F(PlatformInfoTest, IdentifierIsStablePerMachineAndDiffersBetweenMachines) {
    std::string key = "id";
    const std::string first = rt::platform_info(key);
    EXPECT_TRUE(std::regex_match(first, std::regex("[0-9A-F]{8}"))) << first;
    key = "ID";
    EXPECT_EQ(rt::platform_info(key), first);
    services_.system->serial ^= 0x00010000u;
    key = "ID";
    EXPECT_NE(rt::platform_info(key), first);
}

TEST_F(PlatformInfoTest, RunProgramReportsStartAndExitCode) {
    double exit_code = -1;
    EXPECT_EQ(rt::run_program("exit 3", 1, 0, exit_code), 1.0);
    EXPECT_EQ(exit_code, 3.0);
    EXPECT_EQ(rt::run_program("true", 0, 0, exit_code), 1.0);
    EXPECT_EQ(exit_code, 0.0);
    EXPECT_EQ(rt::run_program("no-such-program-anywhere", 1, 0, exit_code), 0.0);
}

TEST_F(PlatformInfoTest, FileDialogGivesForwardSlashesOrNoFile) {
    EXPECT_EQ(rt::file_dialog(1, "Pictures|*.png|All|*.*"), "NO_FILE");
    ASSERT_EQ(services_.system->dialogs_shown.size(), 1u);
    EXPECT_FALSE(services_.system->dialogs_shown[0].first);
    const platform::FileFilters expected{{"Pictures", "*.png"}, {"All", "*.*"}};
    EXPECT_EQ(services_.system->dialogs_shown[0].second, expected);

    services_.system->dialog_answer = "C:\\games\\save\\slot1.sav";
    EXPECT_EQ(rt::file_dialog(0, "Saves|*.sav"), "C:/games/save/slot1.sav");
    EXPECT_TRUE(services_.system->dialogs_shown[1].first);
}

TEST_F(PlatformInfoTest, BindsLibraryFunctionsByCaseInsensitiveName) {
    void* address = nullptr;
    rt::bind_library_function("LIBM.SO.6", "cos", address);
    ASSERT_NE(address, nullptr);
    using Cosine = double (*)(double);
    EXPECT_DOUBLE_EQ(reinterpret_cast<Cosine>(address)(0.0), 1.0);

    rt::bind_library_function("libm.so.6", "no_such_function", address);
    EXPECT_EQ(address, nullptr);
    rt::bind_library_function("libnothing-here.so", "cos", address);
    EXPECT_EQ(address, nullptr);
}

}  // namespace
