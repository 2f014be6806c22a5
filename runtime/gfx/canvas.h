#pragma once
// The game's screen: a fixed-size render target that every draw and every
// read-back uses, shown scaled in a window of any size. Without framebuffer
// objects the window's own back buffer is the canvas, as it always was.
#include <cstdint>
#include <vector>

#include "platform/screen_fit.h"
#include "runtime/gfx/graphics_context.h"

namespace rt {

// Makes (or remakes, for a new size) the render target for the context's
// width and height and binds it. False when the driver has no framebuffer
// objects; drawing then goes to the window directly.
bool create_canvas(GraphicsContext& context);
void release_canvas();
bool canvas_active();
// True when the canvas was made for the context's current size.
bool canvas_fits(const GraphicsContext& context);

void set_canvas_scaling(platform::Scaling scaling);
platform::Scaling canvas_scaling();

// Shows the finished canvas scaled into the window and swaps.
void show_canvas();
// What show_canvas would put in the window, read back without showing it:
// red, green, blue per pixel, bottom row first. Empty without a render target.
struct WindowPicture {
    platform::Size size;
    std::vector<std::uint8_t> rgb;
};
WindowPicture read_window_picture();

// After a shown frame: clears what the next frame draws over. With partial
// redraws only the areas drawn on since the background was last restored
// are cleared (and later refilled by the background), which leaves the same
// pixels as clearing everything.
void clear_canvas_for_next_frame();
// Draws background screen `screen` over what clear_canvas_for_next_frame cleared.
void restore_canvas_background(int screen);

// Damage tracking: draws report the canvas area they touch.
void note_drawn(float left, float top, float right, float bottom);
void note_drawn_everywhere();
// The whole canvas was just cleared to the clear colour.
void note_cleared_whole();
// Partial redraws on (default) or off (every frame cleared and redrawn whole).
void set_partial_redraw(bool on);

}  // namespace rt
