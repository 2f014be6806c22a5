#pragma once

namespace rt {

struct GraphicsContext;

// Decides once whether the high-resolution counter is used.
void init_clock(GraphicsContext& context);
// The runtime clock in milliseconds.
double now_ms();

}  // namespace rt
