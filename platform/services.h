#pragma once
#include <memory>

#include "platform/clock.h"
#include "platform/debugger.h"
#include "platform/input.h"
#include "platform/movie.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/window.h"
#include "platform/words.h"

namespace platform {

// The operating-system services the runtime uses. One set per process,
// installed by the executable (SDL backend) or by a test (doubles).
struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<System> system;
    std::unique_ptr<Window> window;
    std::unique_ptr<InputDevices> input;
    std::unique_ptr<Debugger> debugger;
    std::unique_ptr<SoundDevice> sound;
    std::unique_ptr<MusicPlayer> music;
    WordsHub words;
    std::unique_ptr<MoviePlayer> movie;
};

Services& services();

// Releases the devices (music, sound, input, window, debugger) in that order,
// so that the end of the process does not leave it to static destructors.
void release_devices();

// Converts "\" to "/" so either separator can be used in names.
std::string native_path(std::string name);

}  // namespace platform
