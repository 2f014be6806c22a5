#include "runtime/files/media_problems.h"

#include <algorithm>

#include "platform/services.h"
#include "runtime/core/error_log.h"

namespace rt {
namespace {

struct Reported {
    std::vector<std::string> names;
    std::vector<std::string> texts;
};

Reported& reported() {
    static Reported instance;
    return instance;
}

std::string reason_text(MediaProblem problem) {
    switch (problem) {
    case MediaProblem::missing: return "missing";
    case MediaProblem::damaged_entry: return "damaged archive entry";
    case MediaProblem::temp_not_writable:
        return "cannot write to the temporary folder " + platform::services().system->temp_dir();
    case MediaProblem::undecodable: return "decode error";
    }
    return "unusable";
}

}  // namespace

void report_media_problem(const std::string& name, MediaProblem problem) {
    Reported& seen = reported();
    if (std::ranges::find(seen.names, name) != seen.names.end()) return;
    seen.names.push_back(name);
    const std::string text = name + ": " + reason_text(problem);
    seen.texts.push_back(text);
    platform::services().system->write_stderr_line("Media file " + text);
    append_error_log("Media file " + text);
}

const std::vector<std::string>& media_problems() { return reported().texts; }

void forget_media_problems() { reported() = Reported{}; }

}  // namespace rt
