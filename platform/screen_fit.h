#pragma once
// Where the game's fixed-size canvas lands in a window of any size, and how
// pointer positions map back. Pure arithmetic, shared by the runtime's
// presentation and the backend's pointer.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class Scaling {
    automatic,  // whole multiples when the window is at least twice the canvas, else the largest fit
    sharp,      // whole multiples only (the largest fit when even 1x does not fit)
    fit,        // the largest fit, aspect kept
    stretch,    // the whole window, aspect ignored
};

std::string_view scaling_name(Scaling scaling);
std::optional<Scaling> scaling_from_name(std::string_view name);

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// A rectangle in drawable pixels, y counted from the top.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // True when every canvas pixel covers a whole number of window pixels:
    // the picture is drawn with nearest sampling, else filtered.
    bool whole_multiple = false;
    bool operator==(const Placement&) const = default;
};

Placement place_canvas(Size canvas, Size drawable, Scaling scaling);

struct Point {
    int x = 0;
    int y = 0;
};

// A window position (in the same units as `placement`) to the canvas pixel
// under it; positions on the bars count as the nearest canvas edge.
Point window_to_canvas(Point window, const Placement& placement, Size canvas);
// The window position over the middle of a canvas pixel.
Point canvas_to_window(Point canvas, const Placement& placement, Size canvas_size);

// Canvas pixels per window pixel along each axis, for relative movement.
struct MotionScale {
    double x = 1.0;
    double y = 1.0;
};
MotionScale motion_scale(const Placement& placement, Size canvas);

// The largest whole multiple of the canvas within `fraction` of the usable
// desktop area (at least 1x).
Size initial_window_size(Size canvas, Size usable_desktop, double fraction = 0.9);

}  // namespace platform
