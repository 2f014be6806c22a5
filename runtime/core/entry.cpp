#include "runtime/core/entry.h"

#include <cstdlib>

#include "platform/services.h"

namespace rt {

std::string command_line_from_arguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        const std::string argument = argv[i];
        const bool needs_quotes = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        line += needs_quotes ? "\"" + argument + "\"" : argument;
    }
    return line;
}

int run_process(int argc, const char* const* argv, GameEntry entry) {
    entry(command_line_from_arguments(argc, argv), show_default);
    return 0;
}

void print_line(std::string_view text) { platform::services().system->write_stdout_line(text); }

void print_error_line(std::string_view text) { platform::services().system->write_stderr_line(text); }

void exit_before_start(int code) {
    platform::services().system->exit_process(code);
    std::abort();  // not reached: exit_process ends the process or throws
}

std::string progress_folder() { return platform::services().system->progress_dir(); }

}  // namespace rt
