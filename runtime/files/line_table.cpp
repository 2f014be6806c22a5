#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/services.h"
#include "runtime/core/run_errors.h"
#include "runtime/files/file_access.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/file_places.h"
#include "runtime/files/file_state.h"
#include "runtime/files/line_reader.h"
#include "runtime/files/media_archive.h"

namespace rt {
namespace {

constexpr std::size_t slot_text_bytes = 1023;
const std::string no_data = "NO_DATA";
const std::string no_file = "NO_FILE";

struct LineTable {
    std::string file_name;  // empty when no file is selected
    std::array<std::string, line_table_slots> lines;
    int last_index = -1;    // highest slot read or written
    bool changed = false;

    void clear() {
        file_name.clear();
        for (std::string& line : lines) line.clear();
        last_index = -1;
        changed = false;
    }
};

LineTable& table() {
    static LineTable instance;
    return instance;
}

void write_back(const LineTable& lines) {
    std::ostringstream out(std::ios::binary);
    for (int i = 0; i <= lines.last_index; ++i) out << lines.lines[static_cast<std::size_t>(i)] << "\r\n";
    save_file(lines.file_name, out.str());
}

void write_back_if_changed(const LineTable& lines) {
    if (!lines.file_name.empty() && lines.changed) write_back(lines);
}

bool load(LineTable& lines, const std::string& name) {
    std::string path;
    if (!resolve_media(MediaMount::graphics, name, path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    for (std::size_t slot = 0; slot < lines.lines.size(); ++slot) {
        auto line = read_chunked_line(in);
        if (!line) break;
        if (line->text.size() > slot_text_bytes) line->text.resize(slot_text_bytes);
        lines.lines[slot] = std::move(line->text);
        lines.last_index = static_cast<int>(slot);
    }
    return true;
}

// Makes the named file the table's file; false (error 3 recorded) when it
// cannot be found, in which case it stays selected with an empty table.
bool select(const std::string& name) {
    LineTable& lines = table();
    if (name == lines.file_name) return true;
    write_back_if_changed(lines);
    lines.clear();
    lines.file_name = name;
    if (load(lines, name)) return true;
    set_error_code(error_file_transfer);
    return false;
}

bool index_in_range(int index) { return index >= 0 && index < line_table_slots; }

std::string_view without_control_tail(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) text.remove_suffix(1);
    return text;
}

}  // namespace

double read_table_line(const std::string& file, double index, std::string& out) {
    const int slot = files::truncate_to_int(index);
    if (!index_in_range(slot)) {
        set_error_code(error_index_beyond_limit);
        out = no_data;
        return error_index_beyond_limit;
    }
    if (!select(file)) {
        out = no_file;
        return error_file_transfer;
    }
    const std::string_view text = without_control_tail(table().lines[static_cast<std::size_t>(slot)]);
    out = text.empty() ? no_data : std::string(text);
    return 0.0;
}

double read_table_number(const std::string& file, double index) {
    std::string text;
    read_table_line(file, index, text);
    return std::atof(text.c_str());
}

void write_table_line(const std::string& file, double index, const std::string& text) {
    const int slot = files::truncate_to_int(index);
    if (!index_in_range(slot)) {
        set_error_code(error_index_beyond_limit);
        return;
    }
    select(file);
    LineTable& lines = table();
    // A slot holds zero-terminated text of at most 1023 bytes.
    std::string& stored = lines.lines[static_cast<std::size_t>(slot)];
    stored = text.substr(0, std::min({text.size(), text.find('\0'), slot_text_bytes}));
    lines.last_index = std::max(lines.last_index, slot);
    lines.changed = true;
}

namespace files {

void release_line_table() {
    write_back_if_changed(table());
    table().clear();
}

}  // namespace files

}  // namespace rt
