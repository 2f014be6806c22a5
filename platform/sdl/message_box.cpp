#include <sys/prctl.h>
#include <pthread.h>

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <memory>
#include <thread>

#include "platform/process_end.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

constexpr int poll_interval_ms = 20;

std::atomic<bool> box_open{false};

// The box may be drawn by a helper process that the library forks; it must
// not outlive us when a signal ends the program while the box is up.
extern "C" void tie_child_to_parent() {
    if (box_open.load()) prctl(PR_SET_PDEATHSIG, SIGKILL);
}

struct BoxRequest {
    Uint32 flags;
    std::string caption;
    std::string text;
    std::atomic<bool> done{false};
};

}  // namespace

void show_message_box_unless_quit(bool error, const std::string& caption, const std::string& utf8_text) {
    static const bool registered = pthread_atfork(nullptr, nullptr, tie_child_to_parent) == 0;
    (void)registered;
    if (quit_signal_pending()) return;
    auto request = std::make_shared<BoxRequest>();
    request->flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING;
    request->caption = caption;
    request->text = utf8_text;
    box_open.store(true);
    // The box waits on its own thread, so a quit signal is not held up by it:
    // the program leaves it behind and ends.
    std::thread([request] {
        SDL_ShowSimpleMessageBox(request->flags, request->caption.c_str(), request->text.c_str(), nullptr);
        request->done.store(true);
    }).detach();
    while (!request->done.load() && !quit_signal_pending()) SDL_Delay(poll_interval_ms);
    if (request->done.load()) box_open.store(false);
}

}  // namespace platform
