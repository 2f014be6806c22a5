#include "runtime/core/run_errors.h"

#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"

namespace rt {

void set_source_position(double file, double line) {
    RuntimeState& state = runtime_state();
    state.current_file = file;
    state.current_line = line;
}

double set_error_code(double code) {
    RuntimeState& state = runtime_state();
    state.error_code = code;
    state.error_line = state.current_line;
    return code;
}

void end_program() {
    set_error_code(error_normal_end);
    terminate_program();
}

void raise_runtime_error(int code) {
    set_error_code(code);
    terminate_program();
}

}  // namespace rt
