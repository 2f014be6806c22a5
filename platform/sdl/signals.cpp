#include <unistd.h>

#include <atomic>
#include <csignal>

#include "platform/process_end.h"

namespace platform {
namespace {

std::atomic<int> pending_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written inside a signal handler");

extern "C" void on_quit_signal(int number) {
    int expected = 0;
    // The first request is served by the frame loop; insisting ends at once.
    if (!pending_signal.compare_exchange_strong(expected, number)) _exit(128 + number);
}

}  // namespace

void install_quit_signal_handlers() {
    struct sigaction action {};
    action.sa_handler = on_quit_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

bool quit_signal_pending() { return pending_signal.load() != 0; }

int quit_signal_number() { return pending_signal.load(); }

void clear_quit_signal() { pending_signal.store(0); }

}  // namespace platform
