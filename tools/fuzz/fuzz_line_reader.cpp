// Feeds arbitrary bytes to the chunked line reader and to the line table
// that is built on it. The reader must account for every byte it takes and
// leave the stream right behind them; the table must hold what the file
// says and read back what it wrote.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/file_state.h"
#include "runtime/files/line_reader.h"

namespace {

// What a line's text must be: its bytes without the line break (and a CR
// before a break or the data's end), up to the first zero byte.
std::string expected_text(std::string_view raw, bool broken_by_limit) {
    if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
    if (!broken_by_limit && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    return std::string(raw.substr(0, raw.find('\0')));
}

void check_reader(std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    std::size_t position = 0;
    while (const auto line = rt::read_chunked_line(in)) {
        if (line->consumed == 0 || line->consumed > rt::max_line_bytes) std::abort();
        if (position + line->consumed > bytes.size()) std::abort();
        const std::string_view raw = bytes.substr(position, line->consumed);
        const bool ends_in_break = raw.back() == '\n';
        const bool reaches_end = position + line->consumed == bytes.size();
        const bool broken_by_limit = !ends_in_break && line->consumed == rt::max_line_bytes;
        if (!ends_in_break && !reaches_end && !broken_by_limit) std::abort();
        if (raw.substr(0, raw.size() - 1).find('\n') != std::string_view::npos) std::abort();
        if (line->text != expected_text(raw, broken_by_limit)) std::abort();
        position += line->consumed;
        if (static_cast<std::size_t>(in.tellg()) != position) std::abort();
    }
}

const std::string& table_path() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("marlowick-fuzz-" + std::to_string(getpid()) + ".txt")).string();
    return path;
}

using Slots = std::array<std::string, rt::line_table_slots>;

Slots read_table() {
    Slots slots;
    for (int i = 0; i < rt::line_table_slots; ++i) {
        if (rt::read_table_line(table_path(), i, slots[static_cast<std::size_t>(i)]) != 0.0) std::abort();
    }
    return slots;
}

void check_table(std::string_view bytes) {
    {
        // A new file each time: rewriting one in place makes some file systems flush it on close.
        std::filesystem::remove(table_path());
        std::ofstream out(table_path(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    const Slots first = read_table();
    bool writable_back = true;
    for (const std::string& text : first) {
        if (text.empty() || text.size() > 1023) std::abort();
        if (static_cast<unsigned char>(text.back()) < 32) std::abort();
        // A full 1023-byte slot and its CR LF no longer fit one line read.
        writable_back = writable_back && text.size() < 1023;
    }
    // Rewriting the first slot with its own text writes the file back.
    rt::write_table_line(table_path(), 0, first[0]);
    rt::files::release_line_table();
    if (writable_back && read_table() != first) std::abort();
    rt::files::release_line_table();
}

// The file commands ask the system where files live and how to write them
// whole; here the program's folder is the scratch folder.
class ScratchSystem final : public platform::System {
public:
    std::string temp_dir() override { return std::filesystem::temp_directory_path().string() + "/"; }
    std::string program_path() override { return temp_dir() + "fuzz_line_reader"; }
    std::string current_dir() override { return std::filesystem::current_path().string(); }
    bool set_current_dir(const std::string&) override { return false; }
    void write_stdout_line(std::string_view) override {}
    void beep() override {}
    [[noreturn]] void exit_process(int) override { std::abort(); }
    std::uint32_t machine_serial() override { return 0; }
    platform::ProcessResult run_process(const std::string&, bool) override { return {}; }
    std::optional<std::string> file_dialog(bool, const platform::FileFilters&) override { return std::nullopt; }
    std::unique_ptr<platform::DynamicLibrary> load_library(const std::string&) override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::services().system = std::make_unique<ScratchSystem>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check_reader(bytes);
    check_table(bytes);
    return 0;
}
