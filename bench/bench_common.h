#pragma once
// Small helpers shared by the whole-program benchmarks: medians, wall time,
// fresh child processes whose output lines are time-stamped on arrival, and
// the process's peak resident size.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace bench {

// The loose pictures the media build leaves in a build folder. A build that
// copied its archives from elsewhere (MARLOWICK_MEDIA_FROM) has none: the
// benchmark says so and ends.
inline std::filesystem::path built_pictures(const std::filesystem::path& build_dir) {
    const std::filesystem::path folder = build_dir / "media/files/gfx";
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "no built pictures in %s: build the media in this build folder\n", folder.c_str());
        std::exit(2);
    }
    return folder;
}

inline double now_ms() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// Peak resident set of this process in kB (VmHWM).
inline long peak_rss_kb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// Watches this process's resident size and keeps what made it up at its
// largest: each mapping's resident kB, libraries by name, the heap, and
// other anonymous memory (thread arenas, large buffers, stacks).
class PeakComposition {
public:
    PeakComposition()
        : watcher_([this](std::stop_token stop) {
              while (!stop.stop_requested()) {
                  check();
                  std::this_thread::sleep_for(std::chrono::microseconds(500));
              }
          }) {}
    PeakComposition(const PeakComposition&) = delete;
    PeakComposition& operator=(const PeakComposition&) = delete;

    // Largest parts first, down to `smallest_kb`.
    void print(long smallest_kb) {
        watcher_.request_stop();
        watcher_.join();  // the fields below are the watcher's alone until here
        std::vector<std::pair<long, std::string>> parts;
        for (const auto& [name, kb] : parts_at_peak_) parts.emplace_back(kb, name);
        std::sort(parts.rbegin(), parts.rend());
        std::printf("resident at the largest sample: %.1f MB\n", static_cast<double>(peak_kb_) / 1024.0);
        for (const auto& [kb, name] : parts) {
            if (kb >= smallest_kb) std::printf("  %8.1f MB  %s\n", static_cast<double>(kb) / 1024.0, name.c_str());
        }
    }

private:
    static long resident_kb() {
        long pages_total = 0, pages_resident = 0;
        std::ifstream("/proc/self/statm") >> pages_total >> pages_resident;
        return pages_resident * (sysconf(_SC_PAGESIZE) / 1024);
    }

    void check() {
        if (resident_kb() <= peak_kb_) return;
        std::ifstream smaps("/proc/self/smaps");
        std::map<std::string, long> parts;
        std::string line, name;
        long total = 0;
        while (std::getline(smaps, line)) {
            if (line.rfind("Rss:", 0) == 0) {
                const long kb = std::stol(line.substr(4));
                parts[name] += kb;
                total += kb;
            } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                       line.find('-') < line.find(' ')) {
                std::istringstream fields(line);
                std::string range, permissions, offset, device, inode;
                name.clear();
                fields >> range >> permissions >> offset >> device >> inode >> name;
                if (name.empty()) name = "[other anonymous]";
                name = std::filesystem::path(name).filename().string();
            }
        }
        if (total > peak_kb_) {
            peak_kb_ = total;
            parts_at_peak_ = std::move(parts);
        }
    }

    long peak_kb_ = 0;
    std::map<std::string, long> parts_at_peak_;
    std::jthread watcher_;
};

inline double load_average() {
    double load = 0.0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

struct ChildRun {
    std::map<std::string, double> line_ms;  // first arrival of each line, from just before the spawn
    long peak_rss_kb = 0;                   // the child's VmHWM (from its resource usage)
    int status = 0;
};

// Runs this program again with one argument; its standard output is read
// line by line and each line's arrival time recorded. The child ends itself.
inline ChildRun run_child(const char* self, const std::string& argument) {
    ChildRun run;
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
    std::string program(self);
    std::vector<char*> args{program.data(), const_cast<char*>(argument.c_str()), nullptr};
    const double start = now_ms();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, self, &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    if (failed != 0) {
        close(pipe_ends[0]);
        return run;
    }
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(pipe_ends[0], buffer, sizeof buffer);
        if (got <= 0) break;
        const double at = now_ms() - start;
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            run.line_ms.emplace(pending.substr(0, end), at);
            pending.erase(0, end + 1);
        }
    }
    close(pipe_ends[0]);
    rusage usage{};
    wait4(pid, &run.status, 0, &usage);
    run.peak_rss_kb = usage.ru_maxrss;
    return run;
}

inline void print_row(const char* what, double game, double reference, const char* unit) {
    std::printf("%-44s game %9.2f %s   reference %9.2f %s   ratio %5.2fx\n", what, game, unit, reference, unit,
                reference > 0.0 ? game / reference : 0.0);
}

}  // namespace bench
