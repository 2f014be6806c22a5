#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>

#include "platform/services.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/media_archive.h"
#include "tests/support/headless.h"

// Runs each test in a private directory that is also the temporary directory
// and the current directory, with the runtime's file state reset around it.
class FilesTest : public testing::Test {
protected:
    void SetUp() override {
        testing_support::install_test_services(temp_);
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(temp_.path());
        rt::runtime_state() = rt::RuntimeState{};
    }
    void TearDown() override {
        rt::release_file_commands();
        rt::release_media_archives();
        std::filesystem::current_path(previous_dir_);
    }

    std::filesystem::path path(const std::string& name) const { return temp_.path() / name; }
    std::string temp_dir() const { return temp_.slash_path(); }

    void write(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories(path(name).parent_path());
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const { return testing_support::read_file(path(name)); }

    // The error number the program ended with, or nullopt when it went on.
    static std::optional<double> ended_with(const std::function<void()>& action) {
        try {
            action();
        } catch (const platform::doubles::ProgramExit&) {
            return rt::runtime_state().error_code;
        }
        return std::nullopt;
    }

    int files_starting_with(const std::string& prefix) const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(temp_.path())) {
            if (entry.path().filename().string().starts_with(prefix)) ++count;
        }
        return count;
    }

private:
    testing_support::TempDir temp_;
    std::filesystem::path previous_dir_;
};
