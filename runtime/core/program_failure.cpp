#include "runtime/core/program_failure.h"

#include <cstdlib>

#include "platform/services.h"
#include "runtime/core/error_log.h"
#include "runtime/core/frame_loop.h"

namespace rt {

void fail_program(const std::string& message, int exit_code) {
    platform::Services& os = platform::services();
    os.system->write_stderr_line(message);
    append_error_log(message);
    if (os.window) os.window->error_box(failure_caption, message);
    runtime_shutdown();
    os.system->exit_process(exit_code);
    std::abort();  // not reached: exit_process ends the process or throws
}

}  // namespace rt
