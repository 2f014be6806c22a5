#include "runtime/core/clock.h"

#include "platform/services.h"
#include "runtime/gfx/graphics_context.h"

namespace rt {

void init_clock(GraphicsContext& context) {
    const auto frequency = platform::services().clock->counter_frequency();
    context.use_perf_counter = (frequency && *frequency > 0.0) ? 1 : 0;
    context.perf_frequency = context.use_perf_counter ? *frequency : 0.0;
}

double now_ms() {
    platform::Clock& clock = *platform::services().clock;
    if (has_graphics_context() && graphics().use_perf_counter != 0) {
        return static_cast<double>(clock.counter()) * 1000.0 / graphics().perf_frequency;
    }
    return clock.millisecond_timer();
}

}  // namespace rt
