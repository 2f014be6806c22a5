// Feeds arbitrary bytes to the archive reader as if they were "media.gfx":
// footer, directory walk, name lookup, LZO unpacking and the extraction name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/files/archive_format.h"

namespace archive = rt::archive;

namespace {

void check_extraction_path(const archive::Entry& entry) {
    const std::string path = archive::extraction_path("/tmp/fuzz/", entry);
    if (std::filesystem::path(path).parent_path() != "/tmp/fuzz") std::abort();
    if (path.find('\\') != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const auto reader = archive::ArchiveReader::open(in);
    if (!reader) return 0;

    std::vector<archive::Entry> entries;
    reader->walk([&](const archive::Entry& entry) {
        entries.push_back(entry);
        return entries.size() >= 64;
    });
    for (const archive::Entry& entry : entries) {
        check_extraction_path(entry);
        const auto bytes = reader->unpack(entry);
        if (bytes && bytes->size() > archive::max_unpacked_size) std::abort();
        // Looking the name up again, in other letter case, must find a record.
        std::string upper = entry.name;
        for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        if (!reader->find(archive::base_name(upper)) && upper.find_first_of("/\\") == std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
