// Makes a rasterised picture safe for the game's renderer, which draws
// without blending and drops texels with alpha at or below 0.05:
// - alpha becomes 0 or 255 (edges anti-aliased by the rasteriser are cut at half);
// - a transparent pixel keeps no colour (0, 0, 0, 0);
// - the colour key (255, 0, 128) never appears: such a pixel is nudged to (255, 0, 127).
// Usage: media_harden IN.png OUT.png [WIDTH HEIGHT]
#include "tools/media/png_io.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

void harden(media_tools::Rgba& image) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.at(x, y);
            if (p[3] < 128) {
                p[0] = p[1] = p[2] = p[3] = 0;
                continue;
            }
            p[3] = 255;
            if (p[0] == 255 && p[1] == 0 && p[2] == 128) p[2] = 127;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s IN.png OUT.png [WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    try {
        media_tools::Rgba image = media_tools::read_png(argv[1]);
        if (argc == 5) {
            const int want_w = std::atoi(argv[3]);
            const int want_h = std::atoi(argv[4]);
            if (image.width != want_w || image.height != want_h) {
                std::fprintf(stderr, "%s: %dx%d, expected %dx%d\n", argv[1], image.width, image.height, want_w,
                             want_h);
                return 1;
            }
        }
        harden(image);
        media_tools::write_png(argv[2], image);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
