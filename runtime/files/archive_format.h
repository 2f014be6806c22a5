#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The media archive format: entry data (a 32-bit uncompressed size followed by
// an LZO1X stream), a directory of records (name length, name, data offset,
// stored size; length 0 ends it) and a 7-byte footer ("sbX" + directory
// offset). A negative directory offset counts every offset from the end of
// the file, so an archive can ride behind another file. Integers are
// little-endian.
namespace rt::archive {

inline constexpr std::size_t footer_size = 7;
inline constexpr std::size_t size_prefix = 4;
inline constexpr std::size_t max_name_length = 255;
// Anything larger is a corrupt size field, not media.
inline constexpr std::uint32_t max_unpacked_size = 256u * 1024u * 1024u;

using Bytes = std::vector<unsigned char>;

struct Entry {
    std::string name;           // as stored, no terminator
    std::int32_t data_offset;   // as stored
    std::int32_t stored_size;   // as stored: size prefix plus compressed bytes
};

enum class WalkEnd { terminator, stopped, malformed };

// Reads an archive through a seekable stream; the stream must outlive it.
class ArchiveReader {
public:
    // Nullopt when the stream holds no valid footer.
    static std::optional<ArchiveReader> open(std::istream& in);

    // Calls visit for each directory record until it returns true (stopped),
    // the terminating record, or a record that does not fit the file.
    WalkEnd walk(const std::function<bool(const Entry&)>& visit) const;
    // The first entry whose name equals base_name without regard to case.
    std::optional<Entry> find(std::string_view base_name) const;
    // The entry's uncompressed bytes; nullopt when its data does not fit the
    // file, its size is absurd, or the LZO stream does not give exactly that size.
    std::optional<Bytes> unpack(const Entry& entry) const;

    std::uint64_t file_size() const { return file_size_; }
    std::uint64_t directory_start() const { return directory_start_; }
    bool offsets_from_end() const { return from_end_; }

private:
    ArchiveReader(std::istream& in, std::uint64_t size, std::uint64_t directory_start, bool from_end)
        : in_(&in), file_size_(size), directory_start_(directory_start), from_end_(from_end) {}
    bool read_at(std::uint64_t position, unsigned char* out, std::size_t count) const;

    std::istream* in_;
    std::uint64_t file_size_;
    std::uint64_t directory_start_;
    bool from_end_;
};

// The part of a name after its last "/" or "\".
std::string_view base_name(std::string_view name);
bool equal_ignoring_case(std::string_view a, std::string_view b);
// temp_dir + "sbx" + two letters from the offset and size + the stored name,
// with separators and control bytes replaced so the file stays in temp_dir.
std::string extraction_path(std::string_view temp_dir, const Entry& entry);

// --- writing (used by the packer tool) ---

struct PackEntry {
    std::string name;
    Bytes data;
};

enum class OffsetBase { file_start, file_end };

// Compresses the entries with LZO1X-999 and lays out data, directory and
// footer. bytes_before is the size of whatever precedes the archive in its
// final file. Throws std::invalid_argument for a bad name, std::length_error
// when sizes do not fit the format.
Bytes build_archive(const std::vector<PackEntry>& entries, std::uint64_t bytes_before, OffsetBase base);

}  // namespace rt::archive
