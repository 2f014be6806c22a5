#pragma once
#include <string>

namespace rt {

// The two media mounts: pictures, fonts, sounds, tables (first) and music (second).
enum class MediaMount { graphics = 0, audio = 1 };

struct ArchiveMount {
    // Set by set_media_archives; cleared when the archive is missing or invalid.
    bool enabled = false;
    std::string archive_path;
    // The temporary file of the latest archive hit; deleted on the next lookup.
    std::string extracted_path;
};

// Points both mounts at the program directory (no archive yet).
void create_media_archives(const std::string& program_directory);
void set_media_archives(const std::string& first_path, const std::string& second_path);
// Finds a media file: a loose file wins, else the mount's archive entry is
// extracted to a temporary file. True and the path to open, or false and "".
bool resolve_media(MediaMount mount, const std::string& name, std::string& out_path);
// Deletes each mount's extracted file and clears the mounts (at shutdown).
void release_media_archives();

const ArchiveMount& archive_mount(MediaMount mount);

}  // namespace rt
