// The atomic write the progress relies on, on a real disk.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/user_dirs.h"
#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;
namespace dirs = platform::user_dirs;
using testing_support::read_file;
using testing_support::TempDir;

TEST(UserDirs, AtomicWriteReplacesWholeOrLeavesEverythingAsItWas) {
    TempDir dir;
    const fs::path file = dir.path() / "deep" / "partone.vx";
    ASSERT_TRUE(dirs::write_file_atomically(file.string(), "old").ok);
    ASSERT_TRUE(dirs::write_file_atomically(file.string(), "5190364\r\n").ok);
    EXPECT_EQ(read_file(file), "5190364\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);

    // A folder that cannot be made (a file stands in its way): nothing written, a reason given.
    std::ofstream(dir.path() / "blocked") << "x";
    const auto failed = dirs::write_file_atomically((dir.path() / "blocked" / "partone.vx").string(), "5190364\r\n");
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("blocked"), std::string::npos) << failed.error;
}

}  // namespace
