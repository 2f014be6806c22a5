#pragma once
#include <string>

namespace rt {

// Shows a movie over the game window, scaled to fit and centred, with its
// sound, until it ends or a key is typed or a mouse button pressed. 3 when
// the file cannot be found or opened, else 0. The screen is as before after.
double play_movie(const std::string& file);
// The same, starting over at the end until a key or a mouse button.
double play_movie_looped(const std::string& file);

// Where a movie of the given size shows on a screen: scaled by the smaller
// of the two screen-to-movie ratios and centred.
struct MoviePlacement {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};
MoviePlacement place_movie(int screen_width, int screen_height, int movie_width, int movie_height);

}  // namespace rt
