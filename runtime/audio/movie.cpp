#include "runtime/audio/movie.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/services.h"
#include "runtime/audio/music.h"
#include "runtime/core/clock.h"
#include "runtime/core/frame_loop.h"
#include "runtime/files/media_archive.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/input/input.h"

namespace rt {
namespace {

constexpr double cannot_open = 3.0;

platform::MoviePlayer* player() { return platform::services().movie.get(); }

// A texture padded to powers of two; deleted with the object.
class Texture {
public:
    Texture(int width, int height) : width_(texture_size_for(width)), height_(texture_size_for(height)) {
        glGenTextures(1, &name_);
        glBindTexture(GL_TEXTURE_2D, name_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    ~Texture() { glDeleteTextures(1, &name_); }
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint name() const { return name_; }
    float s_of(int x) const { return static_cast<float>(x) / static_cast<float>(width_); }
    float t_of(int y) const { return static_cast<float>(y) / static_cast<float>(height_); }

private:
    GLuint name_ = 0;
    int width_;
    int height_;
};

// Texture rectangle drawn onto a screen rectangle (top-left origin).
void draw_textured(const Texture& texture, float left, float top, float right, float bottom, float s_right,
                   float t_top, float t_bottom) {
    glBindTexture(GL_TEXTURE_2D, texture.name());
    glBegin(GL_QUADS);
    glTexCoord2f(s_right, t_top);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, t_top);
    glVertex2f(left, top);
    glTexCoord2f(0.0f, t_bottom);
    glVertex2f(left, bottom);
    glTexCoord2f(s_right, t_bottom);
    glVertex2f(right, bottom);
    glEnd();
}

// The movie's drawing: the screen as it was before (kept in a texture) with
// the current picture over it. Leaves the back buffer holding the old screen
// and the game's GL state untouched.
class MovieScreen {
public:
    MovieScreen(const GraphicsContext& context, int movie_width, int movie_height)
        : width_(context.width),
          height_(context.height),
          placement_(place_movie(width_, height_, movie_width, movie_height)),
          saved_(width_, height_),
          picture_(movie_width, movie_height) {
        glBindTexture(GL_TEXTURE_2D, saved_.name());
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width_, height_);
        rebind_game_texture();
    }
    ~MovieScreen() {
        with_own_state([this] { draw_saved(); });
    }
    MovieScreen(const MovieScreen&) = delete;
    MovieScreen& operator=(const MovieScreen&) = delete;

    void show(const platform::MoviePicture& picture) {
        with_own_state([&] {
            glBindTexture(GL_TEXTURE_2D, picture_.name());
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE,
                            picture.rgba.data());
            picture_s_ = picture_.s_of(picture.width);
            picture_t_ = picture_.t_of(picture.height);
            draw_composed();
        });
        swap_and_pace();
        // The back buffer keeps what is shown, as a frame of the game would.
        with_own_state([this] { draw_composed(); });
    }

private:
    void draw_composed() const {
        draw_saved();
        const auto& p = placement_;
        draw_textured(picture_, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.x + p.width),
                      static_cast<float>(p.y + p.height), picture_s_, 0.0f, picture_t_);
    }

    // Rows of the saved screen run from the bottom up.
    void draw_saved() const {
        draw_textured(saved_, 0.0f, 0.0f, static_cast<float>(width_), static_cast<float>(height_), saved_.s_of(width_),
                      saved_.t_of(height_), 0.0f);
    }

    template <typename Draw>
    void with_own_state(Draw draw) {
        note_drawn_everywhere();
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT |
                     GL_PIXEL_MODE_BIT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, width_, height_, 0.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glViewport(0, 0, width_, height_);
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        draw();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
        rebind_game_texture();
    }

    // The sprite code remembers which slot it bound last.
    static void rebind_game_texture() { graphics().bound_slot = -1; }

    int width_;
    int height_;
    MoviePlacement placement_;
    Texture saved_;
    Texture picture_;
    float picture_s_ = 0.0f;
    float picture_t_ = 0.0f;
};

// Keeps the process alive around the movie: window messages (a quit ends
// the program), input frames and the music's restart clock.
void keep_running() {
    refresh_input_devices();
    restart_music_if_due();
    pump_messages();
}

bool stop_requested() { return any_key_typed() || any_mouse_button(); }

void wait_for_release() {
    for (;;) {
        keep_running();
        if (!stop_requested()) return;
        platform::services().clock->sleep_ms(1);
    }
}

struct CloseMovie {
    platform::MoviePlayer& movie;
    ~CloseMovie() { movie.close(); }
};

void run_movie(platform::MoviePlayer& movie, MovieScreen& screen, bool loop) {
    const double length = movie.length_ms();
    // Without a length the stream's own end stops it.
    const double end = length > 0.0 ? length : std::numeric_limits<double>::infinity();
    double start = now_ms();
    for (;;) {
        const double position = now_ms() - start;
        if (stop_requested()) return;
        keep_running();
        if (position >= end || movie.ended()) {
            if (!loop || !movie.rewind()) return;
            start = now_ms();
            continue;
        }
        if (const auto picture = movie.picture_at(position)) {
            screen.show(*picture);
        } else {
            platform::services().clock->sleep_ms(1);
        }
    }
}

double play(const std::string& file, bool loop) {
    std::string path;
    if (!resolve_media(MediaMount::audio, file, path)) return cannot_open;
    platform::MoviePlayer* movie = player();
    if (movie == nullptr || !has_graphics_context() || !graphics().gl_ready || !movie->open(path)) return cannot_open;
    const CloseMovie closer{*movie};
    MovieScreen screen(graphics(), movie->width(), movie->height());
    wait_for_release();
    run_movie(*movie, screen, loop);
    return 0.0;
}

}  // namespace

MoviePlacement place_movie(int screen_width, int screen_height, int movie_width, int movie_height) {
    if (movie_width <= 0 || movie_height <= 0) return {};
    const double scale = std::min(static_cast<double>(screen_width) / movie_width,
                                  static_cast<double>(screen_height) / movie_height);
    const double width = movie_width * scale;
    const double height = movie_height * scale;
    return {(screen_width - width) / 2.0, (screen_height - height) / 2.0, width, height};
}

double play_movie(const std::string& file) { return play(file, false); }
double play_movie_looped(const std::string& file) { return play(file, true); }

}  // namespace rt
