#include "game/globals.h"

#include "runtime/core/debug_registry.h"
#include "runtime/core/platform_info.h"

namespace game {
namespace {

rt::RtString device_answer() {
    std::string key = "DEVICE";
    return rt::RtString(rt::platform_info(key));
}

}  // namespace

double opt = 0;
double screendrawn = 0;
double hicol = 0;
double hicoldiff = 0;
double pressed = 0;
double loaded = 0;
double part = 0;
double mazeloc = 0;
double maxkern = 640;
double mastervolume = 1;
double gfxdarkfall = 40;
double gfxfall = 41;
double gfxindark = 42;
double gfxsky = 43;
double gfxdungeon = 44;
rt::RtString info_Str = device_answer();
double resx = 1;
GameArray kern;
GameArray optwide;
GameArray obj;
double loc = 0;
double hilite = 0;

namespace {

// The game's static initialiser: every global described to the debugger, in
// declaration order, until the program ends.
const rt::GlobalVariables registered_globals{
    rt::variable("opt", opt),
    rt::variable("screendrawn", screendrawn),
    rt::variable("hicol", hicol),
    rt::variable("hicoldiff", hicoldiff),
    rt::variable("pressed", pressed),
    rt::variable("loaded", loaded),
    rt::variable("part", part),
    rt::variable("mazeloc", mazeloc),
    rt::variable("maxkern", maxkern),
    rt::variable("mastervolume", mastervolume),
    rt::variable("gfxdarkfall", gfxdarkfall),
    rt::variable("gfxfall", gfxfall),
    rt::variable("gfxindark", gfxindark),
    rt::variable("gfxsky", gfxsky),
    rt::variable("gfxdungeon", gfxdungeon),
    rt::variable("info_Str", info_Str),
    rt::variable("resx", resx),
    rt::variable("kern", kern.storage()),
    rt::variable("optwide", optwide.storage()),
    rt::variable("obj", obj.storage()),
    rt::variable("loc", loc),
    rt::variable("hilite", hilite),
};

}  // namespace
}  // namespace game
