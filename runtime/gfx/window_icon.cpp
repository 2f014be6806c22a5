#include "platform/services.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/window.h"

namespace rt {

bool set_window_icon(std::span<const std::uint8_t> png) {
    RgbaImage image;
    if (!decode_png_image(image, png, no_color_key, "window icon")) return false;
    platform::Window* window = platform::services().window.get();
    if (window == nullptr) return false;
    window->set_icon(image.width, image.height, image.pixels);
    return true;
}

}  // namespace rt
