#pragma once
// Where the game finds its data and keeps the player's things on a Linux
// desktop. The one place that knows the XDG base-directory rules.
#include <string>
#include <vector>

namespace platform::user_dirs {

// "$XDG_DATA_HOME/marlowick/" (default "~/.local/share/marlowick/").
std::string data_home();
// "$XDG_CONFIG_HOME/marlowick/" (default "~/.config/marlowick/").
std::string config_home();
// XDG_PICTURES_DIR from "user-dirs.dirs" when set, else "~/Pictures/"; ends in "/".
std::string pictures_dir();

// Folders searched for the game's media, in order: the program's own
// folder, then "../share/marlowick/" from it. Each ends in "/".
std::vector<std::string> media_dirs(const std::string& program_dir);

// Where progress (marker, autosave, key files the game writes) is kept:
// beside the program when that folder is writable (a build tree or a
// portable copy), otherwise data_home(). Ends in "/".
std::string progress_dir(const std::string& program_dir);

bool directory_writable(const std::string& dir);
// Creates the folder and its parents; true when it exists afterwards.
bool ensure_directory(const std::string& dir);

struct WriteResult {
    bool ok = false;
    std::string error;  // the system's reason when not ok
};

// Writes to a temporary file in the same folder, flushes it to disk and
// renames it over `path`, so a reader sees the old file or the new one,
// never a part. The folder is created when missing.
WriteResult write_file_atomically(const std::string& path, const std::string& bytes);

}  // namespace platform::user_dirs
