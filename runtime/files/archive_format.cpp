#include "runtime/files/archive_format.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <limits>
#include <memory>
#include <stdexcept>

namespace rt::archive {
namespace {

constexpr std::array<unsigned char, 3> footer_magic{'s', 'b', 'X'};
constexpr std::size_t record_tail = 8;  // data offset + stored size

bool lzo_ready() {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

std::uint32_t read_u32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::int32_t read_i32(const unsigned char* bytes) { return static_cast<std::int32_t>(read_u32(bytes)); }

void put_u32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::int32_t to_offset(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        throw std::length_error("archive offsets do not fit in 32 bits");
    }
    return static_cast<std::int32_t>(value);
}

Bytes compress(const Bytes& data) {
    if (!lzo_ready()) throw std::runtime_error("the LZO library failed to initialise");
    Bytes packed(data.size() + data.size() / 16 + 64 + 3);
    std::vector<lzo_align_t> work(LZO1X_999_MEM_COMPRESS / sizeof(lzo_align_t) + 1);
    lzo_uint packed_size = packed.size();
    if (lzo1x_999_compress(data.data(), data.size(), packed.data(), &packed_size, work.data()) != LZO_E_OK) {
        throw std::runtime_error("LZO compression failed");
    }
    packed.resize(packed_size);
    return packed;
}

void check_name(const std::string& name) {
    if (name.empty() || name.size() > max_name_length) {
        throw std::invalid_argument("entry name must be 1 to 255 bytes: \"" + name + "\"");
    }
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos || name == "." || name == "..") {
        throw std::invalid_argument("entry name must be a bare file name: \"" + name + "\"");
    }
}

}  // namespace

std::optional<ArchiveReader> ArchiveReader::open(std::istream& in) {
    in.clear();
    if (!in.seekg(0, std::ios::end)) return std::nullopt;
    const std::streamoff end = in.tellg();
    if (end < static_cast<std::streamoff>(footer_size)) return std::nullopt;
    const auto size = static_cast<std::uint64_t>(end);

    ArchiveReader reader(in, size, 0, false);
    std::array<unsigned char, footer_size> footer{};
    if (!reader.read_at(size - footer_size, footer.data(), footer.size())) return std::nullopt;
    if (!std::equal(footer_magic.begin(), footer_magic.end(), footer.begin())) return std::nullopt;

    const std::int64_t offset = read_i32(footer.data() + footer_magic.size());
    const std::int64_t start = offset >= 0 ? offset : static_cast<std::int64_t>(size) + offset;
    // The directory must lie in front of the footer.
    if (start < 0 || static_cast<std::uint64_t>(start) >= size - footer_size) return std::nullopt;
    reader.directory_start_ = static_cast<std::uint64_t>(start);
    reader.from_end_ = offset < 0;
    return reader;
}

bool ArchiveReader::read_at(std::uint64_t position, unsigned char* out, std::size_t count) const {
    in_->clear();
    if (!in_->seekg(static_cast<std::streamoff>(position))) return false;
    in_->read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return in_->gcount() == static_cast<std::streamsize>(count);
}

WalkEnd ArchiveReader::walk(const std::function<bool(const Entry&)>& visit) const {
    const std::uint64_t limit = file_size_ - footer_size;
    std::uint64_t position = directory_start_;
    in_->clear();
    if (!in_->seekg(static_cast<std::streamoff>(position))) return WalkEnd::malformed;

    std::array<unsigned char, max_name_length + record_tail> record{};
    while (position < limit) {
        unsigned char length = 0;
        if (!in_->read(reinterpret_cast<char*>(&length), 1)) return WalkEnd::malformed;
        if (length == 0) return WalkEnd::terminator;
        const std::size_t rest = length + record_tail;
        if (position + 1 + rest > limit) return WalkEnd::malformed;
        in_->read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(rest));
        if (in_->gcount() != static_cast<std::streamsize>(rest)) return WalkEnd::malformed;
        position += 1 + rest;

        const Entry entry{std::string(reinterpret_cast<const char*>(record.data()), length),
                          read_i32(record.data() + length), read_i32(record.data() + length + 4)};
        if (visit(entry)) return WalkEnd::stopped;
    }
    return WalkEnd::malformed;
}

std::optional<Entry> ArchiveReader::find(std::string_view wanted) const {
    std::optional<Entry> match;
    walk([&](const Entry& entry) {
        if (!equal_ignoring_case(entry.name, wanted)) return false;
        match = entry;
        return true;
    });
    return match;
}

std::optional<Bytes> ArchiveReader::unpack(const Entry& entry) const {
    const std::int64_t base = from_end_ ? static_cast<std::int64_t>(file_size_) : 0;
    const std::int64_t start = base + entry.data_offset;
    const std::int64_t stored = entry.stored_size;
    if (start < 0 || stored < static_cast<std::int64_t>(size_prefix) ||
        start + stored > static_cast<std::int64_t>(file_size_)) {
        return std::nullopt;
    }
    // Spare zero bytes behind the stream cost nothing and guard the decoder.
    Bytes packed(static_cast<std::size_t>(stored) + 4, 0);
    if (!read_at(static_cast<std::uint64_t>(start), packed.data(), static_cast<std::size_t>(stored))) {
        return std::nullopt;
    }
    const std::uint32_t unpacked_size = read_u32(packed.data());
    // LZO1X expands at most about 255-fold (runs of zero length bytes); a size
    // far beyond that is a lie and is not worth allocating for.
    const std::uint64_t most_possible = 512 * (static_cast<std::uint64_t>(stored) - size_prefix) + 64;
    if (unpacked_size > max_unpacked_size || unpacked_size > most_possible || !lzo_ready()) return std::nullopt;

    // Left uninitialised: a lying size field must not cost a 256 MiB fill.
    const auto unpacked = std::make_unique_for_overwrite<unsigned char[]>(std::max<std::size_t>(unpacked_size, 1));
    lzo_uint produced = unpacked_size;
    const int result = lzo1x_decompress_safe(packed.data() + size_prefix, static_cast<lzo_uint>(stored) - size_prefix,
                                             unpacked.get(), &produced, nullptr);
    if (result != LZO_E_OK || produced != unpacked_size) return std::nullopt;
    return Bytes(unpacked.get(), unpacked.get() + unpacked_size);
}

std::string_view base_name(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return fold(x) == fold(y);
           });
}

std::string extraction_path(std::string_view temp_dir, const Entry& entry) {
    const auto letter = [](std::int32_t value) {
        return static_cast<char>('A' + (static_cast<std::uint32_t>(value) & 0xFFu) % 26);
    };
    std::string path(temp_dir);
    path += "sbx";
    path += letter(entry.data_offset);
    path += letter(entry.stored_size);
    // The "sbx" prefix already keeps ".." from standing alone; without
    // separators the name cannot leave the directory.
    for (const char c : entry.name) {
        const bool unsafe = c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32;
        path += unsafe ? '_' : c;
    }
    return path;
}

Bytes build_archive(const std::vector<PackEntry>& entries, std::uint64_t bytes_before, OffsetBase base) {
    Bytes data;
    struct Placed {
        std::uint64_t position;
        std::uint64_t stored;
    };
    std::vector<Placed> placed;
    for (const PackEntry& entry : entries) {
        check_name(entry.name);
        if (entry.data.size() > max_unpacked_size) {
            throw std::length_error("\"" + entry.name + "\" is larger than an archive entry may be");
        }
        const Bytes packed = compress(entry.data);
        placed.push_back({data.size(), size_prefix + packed.size()});
        put_u32(data, static_cast<std::uint32_t>(entry.data.size()));
        data.insert(data.end(), packed.begin(), packed.end());
    }

    std::uint64_t directory_size = 1;
    for (const PackEntry& entry : entries) directory_size += 1 + entry.name.size() + record_tail;
    const std::uint64_t total = bytes_before + data.size() + directory_size + footer_size;
    const auto offset_of = [&](std::uint64_t archive_position) {
        const auto absolute = static_cast<std::int64_t>(bytes_before + archive_position);
        return to_offset(base == OffsetBase::file_end ? absolute - static_cast<std::int64_t>(total) : absolute);
    };

    Bytes archive = std::move(data);
    const std::uint64_t directory_position = archive.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        archive.push_back(static_cast<unsigned char>(entries[i].name.size()));
        archive.insert(archive.end(), entries[i].name.begin(), entries[i].name.end());
        put_u32(archive, static_cast<std::uint32_t>(offset_of(placed[i].position)));
        put_u32(archive, static_cast<std::uint32_t>(to_offset(static_cast<std::int64_t>(placed[i].stored))));
    }
    archive.push_back(0);
    archive.insert(archive.end(), footer_magic.begin(), footer_magic.end());
    put_u32(archive, static_cast<std::uint32_t>(offset_of(directory_position)));
    return archive;
}

}  // namespace rt::archive
