#include "runtime/gfx/graphics_context.h"

#include "runtime/core/clock.h"

namespace rt {
namespace {

std::unique_ptr<GraphicsContext>& context_holder() {
    static std::unique_ptr<GraphicsContext> holder;
    return holder;
}

}  // namespace

GraphicsContext& create_graphics_context() {
    auto& holder = context_holder();
    holder = std::make_unique<GraphicsContext>();
    init_clock(*holder);
    holder->next_frame_due = now_ms();
    return *holder;
}

bool has_graphics_context() { return context_holder() != nullptr; }

GraphicsContext& graphics() { return *context_holder(); }

}  // namespace rt
