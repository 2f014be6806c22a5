// The game as a player installs it: `cmake --install` into a temporary
// prefix (DESTDIR), the files where desktops look for them, the validators'
// verdict, the installed program's options, and the game run from another
// folder with its own folder read-only, keeping its progress in
// $XDG_DATA_HOME/marlowick. The playing is done by a copy of this test
// program placed beside the installed executable, so it finds media and
// keeps progress by the same rules through the real system layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "game/game.h"
#include "platform/doubles/recording_music.h"
#include "platform/ffmpeg/movie_module.h"
#include "platform/doubles/recording_sound.h"
#include "platform/doubles/scripted_input.h"
#include "platform/doubles/virtual_clock.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "tests/install/short_play.h"
#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::TempDir;

constexpr const char* app_id = "io.github.marlowick.Marlowick";

struct StopGame {};

// Runs only inside the installed copy (MARLOWICK_PLAYER = end or start):
// the real system layer, a virtual clock, scripted input, quiet audio.
// Disabled in the suite: only the installed-copy tests start it, as a child.
TEST(InstalledPlayer, DISABLED_Plays) {
    const char* mode = std::getenv("MARLOWICK_PLAYER");
    if (mode == nullptr) GTEST_SKIP() << "run by the installed-copy tests";
    if (std::string(mode) == "movies") {
        std::printf("MOVIE MODULE %s\n", platform::movie_module() != nullptr ? "loaded" : "missing");
        return;
    }
    platform::install_sdl_services();
    platform::services().clock = std::make_unique<platform::doubles::VirtualClock>(0.25);
    platform::services().sound = std::make_unique<platform::doubles::RecordingSoundDevice>();
    platform::services().music = std::make_unique<platform::doubles::RecordingMusicPlayer>();
    auto input = std::make_unique<platform::doubles::ScriptedInput>();
    testing_support::ShortPlay player(std::string(mode) == "end");
    input->on_frame = [&player](platform::doubles::ScriptedInput& in) {
        if (!player.frame(in)) throw StopGame{};
    };
    platform::services().input = std::move(input);
    try {
        game::game_entry("", 10);
    } catch (const StopGame&) {
    }
    const double prompts = player.prompts_at_menus.empty() ? -1 : player.prompts_at_menus.back();
    std::printf("PLAYER %s prompts=%d\n", player.at_selection ? "selection" : "story", static_cast<int>(prompts));
}

// ---- The installing side ---------------------------------------------------------

struct Shell {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs a shell command, capturing its output and exit code.
Shell run(const std::string& command) {
    static TempDir scratch;
    const fs::path out = scratch.path() / "out";
    const fs::path err = scratch.path() / "err";
    const fs::path code = scratch.path() / "code";
    const std::string line = "(" + command + ") >'" + out.string() + "' 2>'" + err.string() + "'; echo $? >'" +
                             code.string() + "'";
    std::system(line.c_str());
    return {std::atoi(read_file(code).c_str()), read_file(out), read_file(err)};
}

bool have_program(const std::string& name) { return run("command -v " + name).code == 0; }

std::set<std::string> files_under(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) files.insert(entry.path().lexically_relative(root).string());
    }
    return files;
}

class InstalledCopy : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<TempDir>();
        const Shell installed = run("DESTDIR='" + root_->path().string() + "' '" MARLOWICK_CMAKE "' --install '" +
                                  MARLOWICK_BUILD_DIR + "' --prefix /usr");
        ASSERT_EQ(installed.code, 0) << installed.out << installed.err;
    }
    static void TearDownTestSuite() {
        run("chmod -R u+w '" + root_->path().string() + "'");
        root_.reset();
    }

    static fs::path prefix() { return root_->path() / "usr"; }
    static std::string game() { return (prefix() / "bin" / "marlowick").string(); }

    // Runs a command from `home`, with HOME, XDG_DATA_HOME and TMPDIR in it,
    // headless; as an ordinary user when we are root, so that a read-only
    // folder is one.
    static Shell in_home(const TempDir& home, const std::string& command, bool as_user = true) {
        const std::string h = home.path().string();
        std::string user;
        if (as_user && run("id -u").out == "0\n") {
            run("chown -R 65534:65534 '" + h + "'");
            user = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        }
        return run("cd '" + h + "' && " + user + "env HOME='" + h + "' XDG_DATA_HOME='" + h + "/data' TMPDIR='" + h +
                   "' SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy " + command);
    }
    // A copy of this program placed in `bin` plays in `mode` (end or start).
    static Shell play(const fs::path& bin, const std::string& mode, const TempDir& home, bool as_user = true) {
        return in_home(home, "MARLOWICK_PLAYER=" + mode + " '" + (bin / "marlowick-player").string() +
                                 "' --gtest_also_run_disabled_tests --gtest_filter=InstalledPlayer.DISABLED_Plays", as_user);
    }
    static void place_player(const fs::path& bin) {
        fs::copy_file("/proc/self/exe", bin / "marlowick-player", fs::copy_options::overwrite_existing);
    }
    static std::string marker_in(const fs::path& folder) {
        return fs::exists(folder / "partone.vx") ? read_file(folder / "partone.vx") : "(none)";
    }

    static std::unique_ptr<TempDir> root_;
};

std::unique_ptr<TempDir> InstalledCopy::root_;

TEST_F(InstalledCopy, PutsEveryFileWhereDesktopsLookForIt) {
    std::set<std::string> expected = {
        "usr/bin/marlowick",
        "usr/games/marlowick",
        "usr/share/marlowick/media.gfx",
        "usr/share/marlowick/media.aud",
        "usr/" MARLOWICK_TEST_MODULE_DIR "/marlowick-movies.so",
        std::string("usr/share/applications/") + app_id + ".desktop",
        std::string("usr/share/metainfo/") + app_id + ".metainfo.xml",
        std::string("usr/share/icons/hicolor/scalable/apps/") + app_id + ".svg",
        "usr/share/man/man6/marlowick.6.gz",
        "usr/share/doc/marlowick/README.md",
        "usr/share/doc/marlowick/LICENSE",
        "usr/share/doc/marlowick/copyright",
        "usr/share/doc/marlowick/changelog.gz",
    };
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        expected.insert("usr/share/icons/hicolor/" + dim + "/apps/" + app_id + ".png");
    }
    EXPECT_EQ(files_under(root_->path()), expected);
}

TEST_F(InstalledCopy, DesktopEntryAndMetadataPassTheirValidators) {
    const std::string share = (prefix() / "share").string();
    if (have_program("desktop-file-validate")) {
        const Shell desktop = run("desktop-file-validate '" + share + "/applications/" + app_id + ".desktop'");
        EXPECT_EQ(desktop.code, 0) << desktop.out << desktop.err;
        EXPECT_EQ(desktop.out, "");
    }
    if (have_program("appstreamcli")) {
        const Shell metainfo = run("appstreamcli validate --no-net --pedantic '" + share + "/metainfo/" + app_id + ".metainfo.xml'");
        EXPECT_EQ(metainfo.code, 0) << metainfo.out << metainfo.err;
    }
    if (!have_program("desktop-file-validate") || !have_program("appstreamcli")) GTEST_SKIP() << "a validator is missing";
}

TEST_F(InstalledCopy, AnswersHelpVersionAndUnknownOptionsWithoutAWindow) {
    const Shell help = run("'" + game() + "' --help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--handheld=F100|F200"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Progress is kept in "), std::string::npos) << help.out;
    const Shell version = run("'" + game() + "' --version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "marlowick " MARLOWICK_TEST_VERSION "\n");
    const Shell unknown = run("'" + game() + "' --no-such-option");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("Usage: marlowick"), std::string::npos) << unknown.err;
}

// The decoder's libraries are loaded with the first movie, from where the
// installed program looks for them.
TEST_F(InstalledCopy, FindsItsMovieModuleWithoutLinkingTheDecoder) {
    EXPECT_EQ(run("ldd '" + game() + "'").out.find("libavcodec"), std::string::npos);
    const fs::path bin = prefix() / "bin";
    place_player(bin);
    TempDir home;
    EXPECT_NE(play(bin, "movies", home, false).out.find("MOVIE MODULE loaded"), std::string::npos);
    fs::remove(bin / "marlowick-player");
}

// Ends Part One through the read-only installed copy; the marker
// lands in the player's data folder and the next start offers Part Two.
TEST_F(InstalledCopy, ReadOnlyPrefixKeepsProgressInTheDataFolder) {
    const fs::path bin = prefix() / "bin";
    run("chmod u+w '" + bin.string() + "'");
    place_player(bin);
    run("chmod -R a-w '" + prefix().string() + "'");
    TempDir home;
    const fs::path data = home.path() / "data" / "marlowick";

    // Started through a link from a writable folder, it still counts its own folder.
    fs::create_symlink(game(), home.path() / "marlowick");
    EXPECT_NE(in_home(home, "./marlowick --help").out.find("Progress is kept in " + data.string() + "/"), std::string::npos);
    EXPECT_NE(in_home(home, "timeout -k 5 20 ./marlowick").out.find("Init OK"), std::string::npos);

    const Shell played = play(bin, "end", home);
    EXPECT_NE(played.out.find("PLAYER selection"), std::string::npos) << played.out << played.err;
    EXPECT_EQ(marker_in(data), "5190364\r\n");
    EXPECT_FALSE(fs::exists(bin / "partone.vx"));

    const Shell next_start = play(bin, "start", home);
    EXPECT_NE(next_start.out.find("PLAYER selection prompts=0"), std::string::npos) << next_start.out;
}

// A copy in a writable folder (a build tree, a portable copy) keeps the marker beside itself.
TEST_F(InstalledCopy, WritableTreeKeepsTheMarkerBesideTheProgram) {
    TempDir tree;
    for (const char* archive : {"media.gfx", "media.aud"}) {
        fs::copy_file(prefix() / "share" / "marlowick" / archive, tree.path() / archive);
    }
    place_player(tree.path());
    TempDir home;
    const Shell played = play(tree.path(), "end", home, false);
    EXPECT_NE(played.out.find("PLAYER selection"), std::string::npos) << played.out << played.err;
    EXPECT_EQ(marker_in(tree.path()), "5190364\r\n");
    EXPECT_FALSE(fs::exists(home.path() / "data" / "marlowick" / "partone.vx"));
}

}  // namespace
