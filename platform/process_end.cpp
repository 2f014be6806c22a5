#include "platform/process_end.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

std::atomic<EmergencyCleanup> emergency_cleanup{nullptr};

}  // namespace

void set_emergency_cleanup(EmergencyCleanup cleanup) { emergency_cleanup.store(cleanup); }

void end_process_at_once(int code) {
    if (const EmergencyCleanup cleanup = emergency_cleanup.exchange(nullptr)) cleanup();
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace platform
