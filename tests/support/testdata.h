#pragma once
// The conformance data kept beside the repository (PNG, BMP and WAV files
// from other writers, ISAAC vectors). A fresh clone has none: its tests skip
// with one line naming the folder. Where MARLOWICK_REQUIRE_TESTDATA=1 (CI),
// a missing folder fails the test instead, so the checks never stop silently.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_support {

inline std::filesystem::path testdata_path(const std::string& folder) {
    return std::filesystem::path(MARLOWICK_TESTDATA) / folder;
}

inline bool testdata_required() {
    const char* required = std::getenv("MARLOWICK_REQUIRE_TESTDATA");
    return required != nullptr && std::string(required) == "1";
}

}  // namespace testing_support

// Declares `variable` as the named conformance-data folder, or ends the test.
#define MARLOWICK_TESTDATA_FOLDER(variable, folder)                                                  \
    const std::filesystem::path variable = ::testing_support::testdata_path(folder);                 \
    if (!std::filesystem::is_directory(variable)) {                                                  \
        if (::testing_support::testdata_required()) FAIL() << "missing test data: " << variable.string(); \
        GTEST_SKIP() << "test data not found: " << variable.string();                                 \
    }
