#include "runtime/core/platform_info.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/services.h"
#include "runtime/files/file_access.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/file_places.h"
#include "runtime/files/file_state.h"

namespace rt {
namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

double file_exists(const std::string& name) {
    if (simulated_device_file(name)) return 1.0;
    return files::is_readable_file(files::place_to_read(name)) ? 1.0 : 0.0;
}

double file_size(const std::string& name) {
    const std::string path = files::place_to_read(name);
    if (!files::is_readable_file(path)) return 0.0;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0.0 : static_cast<double>(size);
}

void delete_file(const std::string& name) { files::remove_quietly(files::place_to_read(name)); }

std::string current_directory() {
    std::string directory = platform::services().system->current_dir();
    slashes_forward(directory);
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory;
}

double set_current_directory(const std::string& name) {
    return platform::services().system->set_current_dir(name) ? 1.0 : 0.0;
}

void slashes_forward(std::string& text) { std::replace(text.begin(), text.end(), '\\', '/'); }

// Greedy matching with one remembered "*": linear in practice and never
// exponential, whatever the pattern.
bool wildcard_match(const std::string& pattern, const std::string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string::npos;
    std::size_t star_name = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            star_name = n;
        } else if (p < pattern.size() && ((pattern[p] == '?' && name[n] != '.') || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++star_name;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

DirectoryListing list_directory(const std::string& pattern) {
    DirectoryListing listing;
    std::error_code error;
    for (std::filesystem::directory_iterator it(".", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code kind_error;
        if (it->is_directory(kind_error)) {
            listing.directories.push_back(name);
        } else if (wildcard_match(pattern, name)) {
            listing.files.push_back(name);
        }
    }
    std::sort(listing.directories.begin(), listing.directories.end());
    std::sort(listing.files.begin(), listing.files.end());
    return listing;
}

void release_file_commands() {
    files::release_line_table();
    files::release_key_file();
    files::close_all_channels();
}

}  // namespace rt
