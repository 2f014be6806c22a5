#pragma once
// Whole files in the folder where the game keeps the player's progress:
// beside the program when that folder is writable, else the user's data
// folder. Unlike the file channels, nothing here ends the program: every
// failure is a result the caller decides about.
#include <cstddef>
#include <optional>
#include <string>

#include "runtime/core/entry.h"  // progress_folder()

namespace rt {

// Replaces the named file in one step (a temporary file renamed into place),
// so a reader finds the old content or the new, never a part. Empty on
// success, else the system's reason.
std::string write_progress_file(const std::string& name, const std::string& bytes);
// The file's bytes; nothing when it is missing, is not a regular file or
// holds more than `limit` bytes.
std::optional<std::string> read_progress_file(const std::string& name, std::size_t limit);
// Whether anything (a file, a folder, ...) stands under that name.
bool progress_file_exists(const std::string& name);
void delete_progress_file(const std::string& name);
// Moves the file aside under another name, replacing what was there.
bool rename_progress_file(const std::string& from, const std::string& to);

}  // namespace rt
