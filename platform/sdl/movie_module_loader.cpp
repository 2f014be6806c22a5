#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ffmpeg/movie_module.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> module_candidates() {
    if (const char* forced = std::getenv("MARLOWICK_MOVIE_MODULE"); forced != nullptr && *forced != '\0') {
        return {forced};
    }
    std::error_code error;
    const fs::path program_dir = fs::canonical("/proc/self/exe", error).parent_path();
    if (error) return {};
    return {program_dir / movie_module_file,
            (program_dir / MARLOWICK_MODULE_DIR_FROM_BIN / movie_module_file).lexically_normal()};
}

const MovieModule* load_module() {
    std::string reasons;
    for (const fs::path& candidate : module_candidates()) {
        if (!fs::exists(candidate)) continue;
        // Kept loaded until the process ends: its decoders and FFmpeg's own
        // threads may still be winding down at exit.
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            reasons += std::string(" ") + dlerror();
            continue;
        }
        const auto* module = static_cast<const MovieModule*>(dlsym(handle, movie_module_symbol));
        if (module != nullptr && module->version == movie_module_version && module->open_file != nullptr) {
            return module;
        }
        reasons += " " + candidate.string() + " is not this version's movie module";
    }
    std::fprintf(stderr, "Movies cannot be played: %s%s\n", movie_module_file,
                 reasons.empty() ? " not found" : reasons.c_str());
    return nullptr;
}

}  // namespace

const MovieModule* movie_module() {
    static const MovieModule* const module = load_module();
    return module;
}

}  // namespace platform
