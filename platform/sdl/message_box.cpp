#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <SDL.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "platform/process_end.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

constexpr int poll_interval_ms = 20;

// The library draws the box in a helper process that it forks and waits
// for; ending that process is what makes the box give way.
void end_child_processes() {
    const std::string list = "/proc/self/task/" + std::to_string(getpid()) + "/children";
    std::ifstream children(list);
    for (pid_t child = 0; children >> child;) kill(child, SIGKILL);
}

}  // namespace

void show_message_box_unless_quit(bool error, const std::string& caption, const std::string& utf8_text) {
    if (quit_signal_pending()) return;
    // A quit signal must not wait for someone to click the box away.
    std::atomic<bool> answered{false};
    std::thread watcher([&answered] {
        while (!answered.load()) {
            if (quit_signal_pending()) {
                end_child_processes();
                return;
            }
            SDL_Delay(poll_interval_ms);
        }
    });
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING, caption.c_str(),
                             utf8_text.c_str(), nullptr);
    answered.store(true);
    watcher.join();
}

}  // namespace platform
