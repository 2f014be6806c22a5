// mwpack: writes and lists media archives ("media.gfx", "media.aud").
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/files/archive_format.h"

namespace {

namespace fs = std::filesystem;
using rt::archive::Bytes;

constexpr const char* usage_text = R"(usage:
  mwpack create [--behind HOST] OUT INPUT...
      Packs the INPUT files into the archive OUT. A folder as INPUT adds
      every file inside it, subfolders included, in name order. Entries are
      stored under their bare file names (LZO1X-999, 4-byte size prefix);
      two inputs with the same name, letter case ignored, are an error.
      --behind HOST  OUT becomes a copy of HOST with the archive appended,
                     every offset counted from the end of the file. HOST
                     may be OUT itself.
  mwpack list ARCHIVE
      Prints one line per entry, tab-separated: name, unpacked size (or
      "damaged"), stored size, data offset. Exits with 1 when the archive
      or an entry is damaged.
  mwpack --help
      Shows this text.

Exit codes: 0 success, 1 failure, 2 wrong usage.
Example (a build step):
  mwpack create media.gfx gfx/ smalfont.bmp
)";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Bytes read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_all(const fs::path& path, const Bytes& host, const Bytes& archive) {
    // Written beside the target and renamed, so a failed run leaves no half archive.
    const fs::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(host.data()), static_cast<std::streamsize>(host.size()));
        out.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
        if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
    }
    fs::rename(partial, path);
}

std::vector<fs::path> expand_inputs(const std::vector<std::string>& inputs) {
    std::vector<fs::path> files;
    for (const std::string& input : inputs) {
        if (fs::is_directory(input)) {
            std::vector<fs::path> inside;
            for (const auto& item : fs::recursive_directory_iterator(input)) {
                if (item.is_regular_file()) inside.push_back(item.path());
            }
            std::sort(inside.begin(), inside.end());
            files.insert(files.end(), inside.begin(), inside.end());
        } else if (fs::is_regular_file(input)) {
            files.emplace_back(input);
        } else {
            throw std::runtime_error("no such file or folder: " + input);
        }
    }
    return files;
}

std::vector<rt::archive::PackEntry> load_entries(const std::vector<fs::path>& files) {
    std::vector<rt::archive::PackEntry> entries;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        for (const auto& earlier : entries) {
            if (rt::archive::equal_ignoring_case(earlier.name, name)) {
                throw std::runtime_error("two inputs are named \"" + name + "\"");
            }
        }
        entries.push_back({name, read_all(file)});
    }
    return entries;
}

int create(std::vector<std::string> args) {
    std::optional<fs::path> host;
    if (!args.empty() && args.front() == "--behind") {
        if (args.size() < 2) throw UsageError("--behind needs a file");
        host = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() < 2) throw UsageError("create needs OUT and at least one INPUT");
    const fs::path out = args.front();
    const auto entries = load_entries(expand_inputs({args.begin() + 1, args.end()}));
    const Bytes host_bytes = host ? read_all(*host) : Bytes{};
    const auto base = host ? rt::archive::OffsetBase::file_end : rt::archive::OffsetBase::file_start;
    const Bytes archive = rt::archive::build_archive(entries, host_bytes.size(), base);
    write_all(out, host_bytes, archive);
    std::cout << out.string() << ": " << entries.size() << " entries, " << archive.size() << " bytes of archive\n";
    return 0;
}

int list(const std::vector<std::string>& args) {
    if (args.size() != 1) throw UsageError("list needs one ARCHIVE");
    std::ifstream in(args.front(), std::ios::binary);
    const auto reader = in ? rt::archive::ArchiveReader::open(in) : std::nullopt;
    if (!reader) {
        std::cerr << "mwpack: " << args.front() << " is no archive (missing \"sbX\" footer)\n";
        return 1;
    }
    bool damaged = false;
    std::vector<rt::archive::Entry> entries;
    const auto end = reader->walk([&](const rt::archive::Entry& entry) {
        entries.push_back(entry);
        return false;
    });
    for (const auto& entry : entries) {
        const auto bytes = reader->unpack(entry);
        damaged = damaged || !bytes;
        std::cout << entry.name << '\t' << (bytes ? std::to_string(bytes->size()) : "damaged") << '\t'
                  << entry.stored_size << '\t' << entry.data_offset << '\n';
    }
    if (end != rt::archive::WalkEnd::terminator) {
        std::cerr << "mwpack: the directory runs past the end of the file\n";
        damaged = true;
    }
    return damaged ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty()) throw UsageError("no command");
        const std::string& command = args.front();
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << usage_text;
            return 0;
        }
        if (command == "create") return create(rest);
        if (command == "list") return list(rest);
        throw UsageError("unknown command \"" + command + "\"");
    } catch (const UsageError& error) {
        std::cerr << "mwpack: " << error.what() << "\n" << usage_text;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "mwpack: " << error.what() << '\n';
        return 1;
    }
}
