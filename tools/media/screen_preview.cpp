// Composes the game's fixed screens from the built media, for review: the
// pictures at their places and sample text printed with the font strip the
// way the game prints it (advances measured from the glyphs, lines wrapped
// at spaces), so one can see whether text stays readable over a picture.
// Usage: media_screens MEDIA_DIR SCENES.txt OUT_DIR
// Scene lines: "screen NAME", "fill R G B", "picture NAME X Y" (X -1 centres),
// "text X Y words..." (X -1 centres), "wrap Y MAXWIDTH words...".
#include "tools/media/png_io.h"

#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using media_tools::Rgba;

constexpr int cell = 20;

Rgba blank(std::array<std::uint8_t, 3> colour) {
    Rgba img;
    img.width = 640;
    img.height = 480;
    img.pixels.resize(640 * 480 * 4);
    for (size_t i = 0; i < img.pixels.size(); i += 4) {
        img.pixels[i] = colour[0], img.pixels[i + 1] = colour[1], img.pixels[i + 2] = colour[2];
        img.pixels[i + 3] = 255;
    }
    return img;
}

// Draws without blending, dropping texels whose alpha is at or below 0.05.
void draw(Rgba& screen, const Rgba& src, int sx, int sy, int w, int h, int x, int y) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int dx = x + i, dy = y + j;
            if (dx < 0 || dy < 0 || dx >= screen.width || dy >= screen.height) continue;
            const std::uint8_t* s = src.at(sx + i, sy + j);
            if (s[3] <= 12) continue;
            std::uint8_t* d = screen.at(dx, dy);
            d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        }
}

class Font {
public:
    explicit Font(Rgba strip) : strip_(std::move(strip)) { measure(); }

    int width_of(const std::string& text) const {
        int w = 0;
        for (unsigned char c : text) w += advance(c);
        return w;
    }
    void print(Rgba& screen, const std::string& text, int x, int y) const {
        if (x == -1) x = (640 - width_of(text)) / 2;
        for (unsigned char c : text) {
            const int f = frame(c);
            draw(screen, strip_, (f % columns()) * cell, (f / columns()) * cell, cell, cell, x, y);
            x += advance(c);
        }
    }
    void wrap(Rgba& screen, std::string text, int y, int max_width) const {
        while (!text.empty()) {
            size_t cut = 0, i = 0;
            int width = 0;
            while (width < max_width && i < text.size()) {
                if (text[i] == ' ') cut = i;
                width += advance(static_cast<unsigned char>(text[i]));
                ++i;
            }
            if (i == text.size() && width < max_width) {
                print(screen, text, 0, y);
                return;
            }
            print(screen, text.substr(0, cut), 0, y);
            text = text.substr(cut + 1);
            y += 20;
        }
    }

private:
    int columns() const { return strip_.width / cell; }
    static int frame(unsigned char c) {
        if (c < 32 || c > 127) throw std::runtime_error("text holds a character outside 32..127");
        return c - 32;
    }
    int advance(unsigned char c) const { return kern_[frame(c)]; }

    // The game's scan: from the column right of the cell leftwards, every
    // second row, stop at the first pixel that is not white.
    void measure() {
        kern_[0] = 20;
        for (int f = 1; f < 96; ++f) {
            Rgba probe = blank({255, 255, 255});
            draw(probe, strip_, (f % columns()) * cell, (f / columns()) * cell, cell, cell, 0, 0);
            int x = cell, y = 0;
            auto white = [&](int px, int py) {
                const std::uint8_t* p = probe.at(px, py);
                return p[0] == 255 && p[1] == 255 && p[2] == 255;
            };
            while (x > 0 && white(x, y)) {
                y += 2;
                if (y == cell) --x, y = 0;
            }
            kern_[f] = x + 2;
        }
    }

    Rgba strip_;
    std::array<int, 96> kern_{};
};

std::string rest_of(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    const size_t start = rest.find_first_not_of(' ');
    return start == std::string::npos ? "" : rest.substr(start);
}

void run(const std::string& media, const std::string& scenes, const std::string& out_dir) {
    const Font font(media_tools::read_png(media + "/gfx/fontpc.png"));
    std::map<std::string, Rgba> pictures;
    auto picture = [&](const std::string& name) -> const Rgba& {
        auto it = pictures.find(name);
        if (it == pictures.end()) it = pictures.emplace(name, media_tools::read_png(media + "/gfx/" + name + ".png")).first;
        return it->second;
    };
    std::ifstream in(scenes);
    if (!in) throw std::runtime_error("cannot read " + scenes);
    std::string line, name;
    Rgba screen;
    auto save = [&] {
        if (!name.empty()) media_tools::write_png(out_dir + "/" + name + ".png", screen);
    };
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string op;
        if (!(words >> op) || op[0] == '#') continue;
        if (op == "screen") {
            save();
            words >> name;
            screen = blank({0, 0, 0});
        } else if (op == "fill") {
            int r = 0, g = 0, b = 0;
            words >> r >> g >> b;
            screen = blank({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)});
        } else if (op == "picture") {
            std::string pic;
            int x = 0, y = 0;
            words >> pic >> x >> y;
            const Rgba& p = picture(pic);
            if (x == -1) x = (640 - p.width) / 2;
            draw(screen, p, 0, 0, p.width, p.height, x, y);
        } else if (op == "text") {
            int x = 0, y = 0;
            words >> x >> y;
            font.print(screen, rest_of(words), x, y);
        } else if (op == "wrap") {
            int y = 0, max_width = 640;
            words >> y >> max_width;
            font.wrap(screen, rest_of(words), y, max_width);
        } else {
            throw std::runtime_error("unknown scene line: " + line);
        }
    }
    save();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s MEDIA_DIR SCENES.txt OUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        run(argv[1], argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
