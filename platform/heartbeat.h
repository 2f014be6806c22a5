#pragma once
// A sign of life for a watchdog: when MARLOWICK_HEARTBEAT names a file, the
// frame loop's beat writes the number of frames shown into it, at most twice
// a second. Without the variable a beat costs one comparison.
namespace platform {

void frame_heartbeat();

}  // namespace platform
