#include <fstream>
#include <sstream>

#include "platform/services.h"
#include "runtime/files/file_access.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/file_places.h"
#include "runtime/files/file_state.h"
#include "runtime/files/key_file.h"
#include "runtime/files/media_archive.h"

namespace rt {
namespace {

struct CurrentKeyFile {
    KeyFile content;
    std::string name;
    bool changed = false;
};

CurrentKeyFile& key_file() {
    static CurrentKeyFile instance;
    return instance;
}

void write_back_if_changed(CurrentKeyFile& current) {
    if (!current.changed) return;
    std::ostringstream out(std::ios::binary);
    current.content.write(out);
    save_file(current.name, out.str());
    current.changed = false;
}

}  // namespace

void open_key_file(const std::string& name) {
    CurrentKeyFile& current = key_file();
    write_back_if_changed(current);
    current.content.clear();
    current.name = name;
    std::string path;
    if (!resolve_media(MediaMount::graphics, name, path)) return;
    std::ifstream in(path, std::ios::binary);
    current.content.load(in);
}

std::string ini_get(const std::string& section, const std::string& key) {
    const auto value = key_file().content.get(section, key);
    return value ? std::string(*value) : std::string("NO_DATA");
}

void ini_put(const std::string& section, const std::string& key, const std::string& value) {
    CurrentKeyFile& current = key_file();
    current.content.put(section, key, value);
    current.changed = true;
}

namespace files {

void release_key_file() {
    CurrentKeyFile& current = key_file();
    write_back_if_changed(current);
    current.content.clear();
    current.name.clear();
}

}  // namespace files

}  // namespace rt
