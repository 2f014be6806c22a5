#include "runtime/core/frame_loop.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/heartbeat.h"
#include "platform/memory.h"
#include "platform/process_end.h"
#include "platform/services.h"
#include "runtime/audio/music.h"
#include "runtime/audio/sound.h"
#include "runtime/core/clock.h"
#include "runtime/core/error_log.h"
#include "runtime/core/numbers.h"
#include "runtime/core/program_failure.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/media_archive.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/fonts.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/picture_read_ahead.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "runtime/input/input.h"
#include "runtime/input/key_codes.h"

namespace rt {
namespace {

constexpr int pause_sleep_ms = 100;
// The wait for the next frame sleeps until this close to the due time, then
// spins: a sleep may end late, the spin ends on time.
constexpr double pacing_spin_ms = 1.0;

platform::Services& os() { return platform::services(); }

bool debug_mode() { return runtime_settings().debug_mode != 0; }

// The directory part of the program's path; the separator goes.
std::string program_directory() {
    std::string path = os().system->program_path();
    if (path.size() > 1024) path.resize(1024);
    for (std::size_t i = path.size(); i-- > 1;) {
        if (path[i] == '/' || path[i] == '\\') return path.substr(0, i);
    }
    return path;
}

void reset_frame_stamps() {
    RuntimeState& state = runtime_state();
    state.start_time = state.frame_stamp = state.previous_frame_stamp = now_ms();
}

[[noreturn]] void quit_from_frame() {
    RuntimeState& state = runtime_state();
    state.error_code = 0;
    state.error_line = state.current_line;
    terminate_program();
}

void check_quit_keys() {
    const bool escape = key_down(keys::escape_alternate) != 0.0 || key_down(keys::escape) != 0.0;
    if (runtime_state().escape_quits && escape) quit_from_frame();
    if (key_down(keys::left_alt) != 0.0 && key_down(keys::f4) != 0.0) quit_from_frame();
}

void reset_drawing_state() {
    GraphicsContext& context = graphics();
    glEnable(GL_BLEND);
    glDisable(GL_BLEND);
    context.current_alpha = 1.0f;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    sprite_frame_hook(0);
    setup_2d_view(context, 0, 0, 0, 0);
}


// The wait of swap_and_pace; returns the time read last.
double wait_for_frame_due(double due) {
    if (display_options().busy_wait) {
        double t = 0.0;
        do {
            pump_messages();
            t = now_ms();
        } while (t <= due);
        return t;
    }
    pump_messages();
    double t = now_ms();
    while (t <= due) {
        const double remaining = due - t;
        if (remaining > pacing_spin_ms) {
            os().clock->sleep_microseconds(static_cast<std::int64_t>((remaining - pacing_spin_ms) * 1000.0));
        }
        t = now_ms();
    }
    return t;
}

void write_end_report() {
    const RuntimeState& state = runtime_state();
    append_error_log("-End On Line");
    for (double value : {state.error_code, state.error_line - 1.0, state.current_line, state.current_file}) {
        append_error_log(std::to_string(static_cast<long long>(value)));
    }
}

// The end when the display is gone: only file work, nothing that would talk
// to the window or a device.
void end_without_display() {
    append_error_log("Display connection lost");
    release_file_commands();
    release_media_archives();
    if (debug_mode()) write_end_report();
}

}  // namespace

RuntimeSettings& runtime_settings() {
    static RuntimeSettings settings;
    return settings;
}

RuntimeState& runtime_state() {
    static RuntimeState state;
    return state;
}

int runtime_init(const std::string& title, int show_mode) {
    const RuntimeSettings& settings = runtime_settings();
    RuntimeState& state = runtime_state();
    state.auto_pause = true;

    GraphicsContext& context = create_graphics_context();
    if (!create_gl_window(context, settings.screen_width, settings.screen_height, 0, settings.frame_rate,
                          settings.samples)) {
        delete_error_log();
        fail_program("Marlowick needs OpenGL: " + os().window->failure_reason());
    }
    platform::set_emergency_cleanup(end_without_display);
    // A quit signal that came while the warning box was up ends it here.
    if (platform::quit_signal_pending()) terminate_program();
    os().window->set_title(title);
    state.window_title = title;
    delete_error_log();
    create_sound_slots();
    // The low 32 bits of the clock: different start times, different sequences.
    seed_random(static_cast<std::uint32_t>(static_cast<std::int64_t>(now_ms())));

    if (settings.fullscreen != 0) {
        enter_fullscreen_mode(context);
    } else {
        enter_windowed_mode(context);
    }
    init_input(settings.exclusive_mouse != 0);
    // Starting music may bring the system pointer back; music puts it away again through this.
    set_pointer_control({[] { return input_state().system_pointer; }, show_system_pointer});
    init_sound_device();

    set_font(0);
    os().system->set_current_dir(program_directory());
    create_media_archives(program_directory());
    clear_screen();
    reset_frame_stamps();

    swap_and_pace();
    setup_2d_view(context, 0, 0, 0, 0);
    load_font("", 0);
    load_font("smalfont.bmp", 0);
    draw_loading_text(context.width, context.height);
    context.next_frame_due = now_ms();  // the first frame is shown without waiting for the frame rate
    present_frame();

    state.paused = false;
    reset_frame_stamps();
    if (show_mode == 0) {
        if (context.fullscreen) enter_windowed_mode(context);
        hide_window(context);
    }
    os().system->write_stdout_line("Init OK");
    return 0;
}

void present_frame() {
    RuntimeState& state = runtime_state();
    if (debug_mode()) os().window->show_and_raise();

    state.previous_frame_stamp = state.frame_stamp;
    state.frame_stamp = now_ms();

    while (state.paused) {
        restart_music_if_due();
        pump_messages();
        os().clock->sleep_ms(pause_sleep_ms);
    }
    refresh_input_devices();
    check_quit_keys();
    restart_music_if_due();

    pump_messages();
    swap_and_pace();
    reset_drawing_state();
    platform::frame_heartbeat();
}

bool pump_messages() {
    while (const auto event = os().window->next_event()) main_window_proc(*event);
    // A quit signal (SIGTERM, SIGINT, SIGHUP) ends the program like closing the window.
    if (platform::quit_signal_pending()) terminate_program();
    return true;
}

double swap_and_pace() {
    GraphicsContext& context = graphics();
    glFinish();
    show_canvas();
    clear_canvas_for_next_frame();
    if (context.pictures_replaced) {
        // What the old pictures' buffers held goes back to the system while
        // the frame waits for its time anyway.
        release_picture_leftovers();
        platform::return_free_memory();
        context.pictures_replaced = false;
    }

    const double t0 = now_ms();
    const double t = wait_for_frame_due(context.next_frame_due);

    double next = context.next_frame_due + context.frame_interval;
    if (context.frame_interval > 0.0) {
        while (next < t) next += context.frame_interval;
    }
    context.next_frame_due = next;
    return (t - t0) + 1.0;
}

void main_window_proc(platform::WindowEvent event) {
    RuntimeState& state = runtime_state();
    const bool may_pause = !debug_mode() && state.auto_pause;
    switch (event) {
    case platform::WindowEvent::deactivated:
        if (may_pause) {
            os().window->set_title(state.window_title + " <pause>");
            state.paused = true;
        }
        break;
    case platform::WindowEvent::activated:
        if (may_pause) {
            os().window->set_title(state.window_title);
            state.paused = false;
        }
        break;
    case platform::WindowEvent::close_requested:
        terminate_program();
    case platform::WindowEvent::toggle_fullscreen_requested: toggle_fullscreen(); break;
    case platform::WindowEvent::screenshot_requested: request_screenshot(); break;
    }
}

void set_frame_limit(double frames_per_second) {
    graphics().frame_interval = frame_interval_for_rate(static_cast<int>(frames_per_second));
}

void sleep_ms(double milliseconds) { os().clock->sleep_ms(static_cast<int>(milliseconds)); }

double elapsed_ms() { return now_ms() - runtime_state().start_time; }

double frame_time_ms() {
    const RuntimeState& state = runtime_state();
    const double difference = state.frame_stamp - state.previous_frame_stamp;
    return difference > 0.0 ? difference : 1.0;
}

void set_auto_pause(double flag) { runtime_state().auto_pause = flag != 0.0; }

void allow_escape_quit(double flag) { runtime_state().escape_quits = flag != 0.0; }

void wait_key() {
    const auto wait_while = [](bool want_held) {
        for (;;) {
            pump_messages();
            restart_music_if_due();
            refresh_input_devices();
            if (runtime_state().escape_quits && key_down(keys::escape) != 0.0) quit_from_frame();
            if ((any_key_down() != 0.0) != want_held) return;
            os().clock->sleep_ms(1);
        }
    };
    wait_while(false);  // until a key is pressed
    wait_while(true);   // then until all keys are up
}

void runtime_shutdown() {
    end_picture_read_ahead();
    release_music();
    release_input();  // while the window exists, so the pointer can be put back
    if (has_graphics_context() && graphics().window_open) save_display_settings();
    if (has_graphics_context() && graphics().window_open) close_gl_window(graphics());
    os().input.reset();
    release_sound();
    release_file_commands();
    release_media_archives();
}

void terminate_program() {
    runtime_shutdown();
    if (debug_mode()) write_end_report();
    os().system->exit_process(0);
    std::abort();  // not reached: exit_process ends the process or throws
}

}  // namespace rt
