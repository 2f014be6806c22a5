#include "platform/screen_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace platform {
namespace {

constexpr std::array<std::pair<Scaling, std::string_view>, 4> scaling_names{{
    {Scaling::automatic, "auto"},
    {Scaling::sharp, "sharp"},
    {Scaling::fit, "fit"},
    {Scaling::stretch, "stretch"},
}};

Placement centred(Size drawable, int width, int height, bool whole) {
    return {(drawable.width - width) / 2, (drawable.height - height) / 2, width, height, whole};
}

Placement whole_multiple(Size canvas, Size drawable, int factor) {
    return centred(drawable, canvas.width * factor, canvas.height * factor, true);
}

Placement largest_fit(Size canvas, Size drawable) {
    // Compare the aspect ratios in integers so that exact fits are exact.
    const long long by_width = static_cast<long long>(drawable.width) * canvas.height;
    const long long by_height = static_cast<long long>(drawable.height) * canvas.width;
    int width = drawable.width;
    int height = drawable.height;
    if (by_width > by_height) {
        width = static_cast<int>(std::lround(static_cast<double>(by_height) / canvas.height));
    } else {
        height = static_cast<int>(std::lround(static_cast<double>(by_width) / canvas.width));
    }
    width = std::max(1, width);
    height = std::max(1, height);
    const bool whole = width % canvas.width == 0 && height % canvas.height == 0 &&
                       width / canvas.width == height / canvas.height;
    return centred(drawable, width, height, whole);
}

int whole_factor(Size canvas, Size drawable) {
    return std::min(drawable.width / canvas.width, drawable.height / canvas.height);
}

}  // namespace

std::string_view scaling_name(Scaling scaling) {
    for (const auto& [value, name] : scaling_names) {
        if (value == scaling) return name;
    }
    return "auto";
}

std::optional<Scaling> scaling_from_name(std::string_view name) {
    for (const auto& [value, known] : scaling_names) {
        if (known == name) return value;
    }
    return std::nullopt;
}

Placement place_canvas(Size canvas, Size drawable, Scaling scaling) {
    if (canvas.width <= 0 || canvas.height <= 0 || drawable.width <= 0 || drawable.height <= 0) {
        return {0, 0, std::max(0, drawable.width), std::max(0, drawable.height), false};
    }
    const int factor = whole_factor(canvas, drawable);
    switch (scaling) {
    case Scaling::stretch: {
        const bool whole = drawable.width == canvas.width * factor && drawable.height == canvas.height * factor;
        return {0, 0, drawable.width, drawable.height, whole};
    }
    case Scaling::sharp:
        if (factor >= 1) return whole_multiple(canvas, drawable, factor);
        break;
    case Scaling::automatic:
        if (factor >= 2) return whole_multiple(canvas, drawable, factor);
        break;
    case Scaling::fit: break;
    }
    return largest_fit(canvas, drawable);
}

Point window_to_canvas(Point window, const Placement& placement, Size canvas) {
    if (placement.width <= 0 || placement.height <= 0) return {0, 0};
    const auto map = [](int position, int origin, int extent, int canvas_extent) {
        const double relative = (position - origin + 0.5) * canvas_extent / extent;
        return std::clamp(static_cast<int>(std::floor(relative)), 0, std::max(0, canvas_extent - 1));
    };
    return {map(window.x, placement.x, placement.width, canvas.width),
            map(window.y, placement.y, placement.height, canvas.height)};
}

Point canvas_to_window(Point canvas, const Placement& placement, Size canvas_size) {
    if (canvas_size.width <= 0 || canvas_size.height <= 0) return canvas;
    const auto map = [](int position, int origin, int extent, int canvas_extent) {
        return origin + static_cast<int>(std::floor((position + 0.5) * extent / canvas_extent));
    };
    return {map(canvas.x, placement.x, placement.width, canvas_size.width),
            map(canvas.y, placement.y, placement.height, canvas_size.height)};
}

MotionScale motion_scale(const Placement& placement, Size canvas) {
    if (placement.width <= 0 || placement.height <= 0) return {};
    return {static_cast<double>(canvas.width) / placement.width, static_cast<double>(canvas.height) / placement.height};
}

Size initial_window_size(Size canvas, Size usable_desktop, double fraction) {
    if (canvas.width <= 0 || canvas.height <= 0) return canvas;
    const Size room{static_cast<int>(usable_desktop.width * fraction), static_cast<int>(usable_desktop.height * fraction)};
    const int factor = std::max(1, whole_factor(canvas, room));
    return {canvas.width * factor, canvas.height * factor};
}

}  // namespace platform
