#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;

// Every picture name the game's code loads: the sets of the locations and
// the single load_picture calls.
std::set<std::string> pictures_the_game_loads() {
    std::set<std::string> names;
    const std::regex set_list(R"(load_set\([^{]*\{([^}]*)\})");
    const std::regex single(R"(load_picture\("([^"]+)\")");
    const std::regex quoted("\"([^\"]+)\"");
    for (const auto& entry : fs::directory_iterator(fs::path(MARLOWICK_SOURCE_DIR) / "game")) {
        if (entry.path().extension() != ".cpp") continue;
        const std::string code = testing_support::read_file(entry.path());
        for (std::sregex_iterator it(code.begin(), code.end(), set_list), end; it != end; ++it) {
            const std::string list = (*it)[1];
            for (std::sregex_iterator q(list.begin(), list.end(), quoted); q != end; ++q) names.insert((*q)[1]);
        }
        for (std::sregex_iterator it(code.begin(), code.end(), single), end; it != end; ++it) names.insert((*it)[1]);
    }
    return names;
}

TEST(MediaForTheGame, EveryPictureTheGameLoadsIsBuiltAndPacked) {
    const std::set<std::string> names = pictures_the_game_loads();
    ASSERT_GT(names.size(), 150u);  // both parts' locations, the screens and the shared pictures

    const testing_support::TempDir temp;
    const fs::path listing = temp.path() / "listing.txt";
    const std::string command =
        std::string(MARLOWICK_BIN_DIR "/mwpack list " MARLOWICK_BIN_DIR "/media.gfx > ") + listing.string();
    const bool packed = fs::exists(fs::path(MARLOWICK_BIN_DIR) / "media.gfx") && std::system(command.c_str()) == 0;
    std::set<std::string> archive;
    std::ifstream in(listing);
    for (std::string line; std::getline(in, line);) archive.insert(line.substr(0, line.find('\t')));

    for (const std::string& name : names) {
        const std::string file = name + ".png";
        if (packed) {
            EXPECT_TRUE(archive.contains(file)) << file << " is not in media.gfx";
        } else {
            EXPECT_TRUE(fs::exists(fs::path(MARLOWICK_BIN_DIR) / "gfx" / file)) << file;
        }
    }
}

}  // namespace
