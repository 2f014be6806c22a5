#include "game/options.h"

namespace game {
namespace {

std::vector<std::string> split_arguments(const std::string& command_line) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool have_argument = false;
    for (char c : command_line) {
        if (c == '"') {
            quoted = !quoted;
            have_argument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (have_argument) arguments.push_back(current);
            current.clear();
            have_argument = false;
        } else {
            current += c;
            have_argument = true;
        }
    }
    if (have_argument) arguments.push_back(current);
    return arguments;
}

bool read_flag(Options& options, const std::string& argument) {
    struct Flag {
        const char* name;
        bool Options::*field;
    };
    static constexpr Flag flags[] = {
        {"--help", &Options::help},
        {"-h", &Options::help},
        {"--version", &Options::version},
        {"--windowed", &Options::windowed},
        {"--fullscreen", &Options::fullscreen},
        {"--exclusive-fullscreen", &Options::exclusive_fullscreen},
        {"--busy-wait", &Options::busy_wait},
        {"--text", &Options::text},
        {"--speak", &Options::speak},
        {"--new-game", &Options::new_game},
    };
    for (const Flag& flag : flags) {
        if (argument == flag.name) {
            options.*flag.field = true;
            return true;
        }
    }
    return false;
}

}  // namespace

Options parse_options(const std::string& command_line) {
    Options options;
    const std::string handheld = "--handheld=";
    for (const std::string& argument : split_arguments(command_line)) {
        if (read_flag(options, argument)) continue;
        if (argument.rfind(handheld, 0) == 0) {
            const std::string model = argument.substr(handheld.size());
            if (model == "F100" || model == "F200") {
                options.handheld = model;
                continue;
            }
        }
        options.unknown.push_back(argument);
    }
    return options;
}

std::string usage_text(const std::string& progress_dir) {
    return "Usage: marlowick [OPTION]...\n"
           "An illustrated choose-your-path adventure in two parts.\n"
           "\n"
           "  --windowed               start in a window\n"
           "  --fullscreen             start full screen\n"
           "  --exclusive-fullscreen   full screen by switching the display to 640x480\n"
           "  --handheld=F100|F200     play as the handheld models on a 320x240 screen\n"
           "  --text                   play in the terminal, no window\n"
           "  --speak                  read each screen aloud (F2 toggles)\n"
           "  --new-game               start afresh without offering to continue\n"
           "  --busy-wait              pace frames with a busy loop (more CPU)\n"
           "  -h, --help               show this help and exit\n"
           "  --version                show the version and exit\n"
           "\n"
           "Progress is kept in " +
           progress_dir + "\n";
}

}  // namespace game
