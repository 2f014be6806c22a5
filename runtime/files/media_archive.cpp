#include "runtime/files/media_archive.h"

#include <fstream>

#include "platform/services.h"

namespace rt {

// Loose files only until the archive reader lands.
void create_media_archives(const std::string&) {}
void set_media_archives(const std::string&, const std::string&) {}

bool resolve_media(MediaMount, const std::string& name, std::string& out_path) {
    out_path.clear();
    if (name.empty()) return false;
    const std::string path = platform::native_path(name);
    if (!std::ifstream(path, std::ios::binary)) return false;
    out_path = path;
    return true;
}

void release_media_archives() {}

}  // namespace rt
