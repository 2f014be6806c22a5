#include "platform/output_follower.h"

namespace platform {

OutputChange OutputFollower::update(double now_ms, Output& output) {
    const bool removed = removed_;
    const bool added = added_;
    removed_ = added_ = false;
    if (!silent_) {
        if (!removed) return OutputChange::none;
        output.close_device();
        if (output.open_default_device()) return OutputChange::moved;
        silent_ = true;
        next_try_ms_ = now_ms + retry_interval_ms;
        return OutputChange::lost;
    }
    // Some systems announce a new device late or not at all: try now and then too.
    if (!added && now_ms < next_try_ms_) return OutputChange::none;
    next_try_ms_ = now_ms + retry_interval_ms;
    if (!output.open_default_device()) return OutputChange::none;
    silent_ = false;
    return OutputChange::found;
}

}  // namespace platform
