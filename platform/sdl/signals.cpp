#include <time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "platform/process_end.h"

namespace platform {
namespace {

std::atomic<int> pending_signal{0};
std::atomic<long long> first_signal_ms{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written inside a signal handler");
static_assert(std::atomic<long long>::is_always_lock_free, "read and written inside a signal handler");

// Tools such as timeout(1) signal the process and then its whole group, so
// one request can arrive twice within microseconds; only a request repeated
// after this long means "stop now".
constexpr long long insist_after_ms = 500;

long long monotonic_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

extern "C" void on_quit_signal(int number) {
    int expected = 0;
    // The first request is served by the frame loop; insisting ends at once.
    if (pending_signal.compare_exchange_strong(expected, number)) {
        first_signal_ms.store(monotonic_ms());
        return;
    }
    if (monotonic_ms() - first_signal_ms.load() >= insist_after_ms) _exit(128 + number);
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
