#pragma once
// The game's lasting state: 22 globals, registered with the debug registry
// in this order at static initialisation.
#include "runtime/core/number_array.h"
#include "runtime/core/rt_string.h"

namespace game {

// A number array of the game (checked access: an index outside the
// dimensioned size ends the program with run-time error 9).
class GameArray {
public:
    double& operator[](double index) { return rt::array_element(array_, index); }
    void dim(double size) { rt::array_dim(array_, size); }
    void redim(double size) { rt::array_redim(array_, size); }
    // The storage the debug registry describes.
    rt::NumberArray& storage() { return array_; }

private:
    rt::NumberArray array_;
};

extern double opt;
extern double screendrawn;
extern double hicol;
extern double hicoldiff;
extern double pressed;
extern double loaded;
extern double part;
extern double mazeloc;
extern double maxkern;
extern double mastervolume;
extern double gfxdarkfall;  // slot 40: "gfxfall2"
extern double gfxfall;      // slot 41: "gfxfall"
extern double gfxindark;    // slot 42: "gfxdark"
extern double gfxsky;       // slot 43: "gfxsky"
extern double gfxdungeon;   // slot 44: "gfxdngn"
extern rt::RtString info_Str;  // "DESKTOP", "F100" or "F200"
extern double resx;
extern GameArray kern;
extern GameArray optwide;
extern GameArray obj;
extern double loc;
extern double hilite;

}  // namespace game
