#include "runtime/files/media_archive.h"

#include <array>
#include <fstream>
#include <optional>

#include "platform/services.h"
#include "runtime/files/archive_format.h"
#include "runtime/files/file_access.h"
#include "runtime/files/file_places.h"
#include "runtime/files/media_problems.h"

namespace rt {
namespace {

using files::is_readable_file;
using files::remove_quietly;

std::array<ArchiveMount, 2>& mounts() {
    static std::array<ArchiveMount, 2> instances;
    return instances;
}

ArchiveMount& mount_of(MediaMount which) { return mounts()[static_cast<std::size_t>(which)]; }

// Lookups before the game names its archives probe the program directory
// for optional files; only those after it name what is missing.
std::array<bool, 2>& names_problems() {
    static std::array<bool, 2> flags{};
    return flags;
}

bool& names_problems_of(MediaMount which) { return names_problems()[static_cast<std::size_t>(which)]; }

void drop_extracted_file(ArchiveMount& mount) {
    if (mount.extracted_path.empty()) return;
    remove_quietly(mount.extracted_path);
    mount.extracted_path.clear();
}

bool write_file(const std::string& path, const archive::Bytes& bytes) {
    remove_quietly(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.good();
}

struct ArchiveHit {
    archive::Entry entry;
    archive::Bytes bytes;
};

// Disables the mount when the archive is missing or has no valid footer;
// a name that is absent or an entry that is damaged leaves it enabled.
std::optional<ArchiveHit> look_up_in_archive(ArchiveMount& mount, std::string_view name, MediaProblem& problem) {
    problem = MediaProblem::missing;
    if (!mount.enabled) return std::nullopt;
    const std::string path = files::place_to_read(mount.archive_path);
    std::ifstream file;
    if (is_readable_file(path)) file.open(path, std::ios::binary);
    const auto reader = file.is_open() ? archive::ArchiveReader::open(file) : std::nullopt;
    if (!reader) {
        mount.enabled = false;
        return std::nullopt;
    }
    auto entry = reader->find(archive::base_name(name));
    if (!entry) return std::nullopt;
    auto bytes = reader->unpack(*entry);
    if (!bytes) {
        problem = MediaProblem::damaged_entry;
        return std::nullopt;
    }
    return ArchiveHit{std::move(*entry), std::move(*bytes)};
}

}  // namespace

void create_media_archives(const std::string& program_directory) {
    set_media_archives(program_directory, program_directory);
    names_problems() = {false, false};
}

void set_media_archives(const std::string& first_path, const std::string& second_path) {
    for (auto [which, path] : {std::pair{MediaMount::graphics, &first_path}, {MediaMount::audio, &second_path}}) {
        ArchiveMount& mount = mount_of(which);
        mount.enabled = true;
        drop_extracted_file(mount);
        mount.archive_path = *path;
        names_problems_of(which) = true;
    }
}

bool resolve_media(MediaMount which, const std::string& name, std::string& out_path) {
    ArchiveMount& mount = mount_of(which);
    drop_extracted_file(mount);
    const std::string requested = name;  // out_path may be name itself
    out_path.clear();
    if (requested.empty()) return false;

    const std::string loose = files::place_to_read(requested);
    if (is_readable_file(loose)) {
        out_path = loose;
        return true;
    }
    MediaProblem problem = MediaProblem::missing;
    const auto hit = look_up_in_archive(mount, requested, problem);
    if (!hit) {
        if (names_problems_of(which)) report_media_problem(requested, problem);
        return false;
    }

    const std::string path = archive::extraction_path(platform::services().system->temp_dir(), hit->entry);
    // The path is handed on all the same: the loader's own open then fails.
    if (!write_file(path, hit->bytes)) report_media_problem(requested, MediaProblem::temp_not_writable);
    mount.extracted_path = path;
    out_path = path;
    return true;
}

void release_media_archives() {
    for (ArchiveMount& mount : mounts()) {
        drop_extracted_file(mount);
        mount = ArchiveMount{};
    }
}

const ArchiveMount& archive_mount(MediaMount which) { return mount_of(which); }

}  // namespace rt
