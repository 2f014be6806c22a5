#pragma once
#include <string>

// Where the files the game names relatively are read and written. In a
// build tree or a portable copy that is the current folder, which start-up
// makes the program's own. An installed copy's folder is read-only: what the
// game writes then goes to the platform's progress folder, and reads look
// there and in the installed media folders after the current folder.
namespace rt::files {

// The path to open for reading (also the file a delete removes); the name
// itself when it is absolute or found nowhere.
std::string place_to_read(const std::string& name);
// The path to create; the name itself unless it must go to the progress
// folder, which is then created.
std::string place_to_write(const std::string& name);

}  // namespace rt::files

namespace rt {

struct SaveResult {
    bool ok = false;
    std::string path;    // the full path written or tried
    std::string reason;  // the system's reason when not ok
};
// Writes the whole file where place_to_write puts it, so that a reader finds
// the old file or the new one, never a part: a failed write leaves the
// previous file untouched and says why.
SaveResult save_file(const std::string& name, const std::string& bytes);

}  // namespace rt
