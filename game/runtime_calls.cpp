#include "game/runtime_calls.h"

#include <string>

#include "runtime/audio/music.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/numbers.h"
#include "runtime/core/platform_info.h"
#include "runtime/files/file_commands.h"
#include "runtime/gfx/sprites.h"

namespace game {

double clear_screen() {
    rt::clear_screen();
    return 0;
}

double draw_rect(double x, double y, double width, double height, double colour) {
    rt::draw_rect(x, y, width, height, colour);
    return 0;
}

double present_frame() {
    rt::present_frame();
    return 0;
}

double sleep_ms(double milliseconds) {
    rt::sleep_ms(milliseconds);
    return 0;
}

double number_mod(double a, double b) { return rt::number_mod(a, b); }

double stop_music() {
    rt::stop_music();
    return 0;
}

double play_music(std::string_view file) {
    rt::play_music(std::string(file));
    return 0;
}

double set_music_volume(double volume) {
    rt::set_music_volume(volume);
    return 0;
}

double open_file(double channel, std::string_view name, double mode) {
    return rt::open_file(channel, std::string(name), mode);
}

double write_line(double channel, std::string_view text) {
    rt::write_line(channel, std::string(text));
    return 0;
}

double close_file(double channel) {
    rt::close_file(channel);
    return 0;
}

double run_program(std::string_view command, double wait, double show, double& exit_code) {
    return rt::run_program(command, wait, show, exit_code);
}

}  // namespace game
