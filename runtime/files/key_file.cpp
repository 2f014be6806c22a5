#include "runtime/files/key_file.h"

#include <algorithm>
#include <ostream>

#include "runtime/files/archive_format.h"
#include "runtime/files/line_reader.h"

namespace rt {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_space(char c) { return is_blank(c) || c == '\r' || c == '\n'; }

std::string_view skip_spaces(std::string_view text) {
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trim_control_tail(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) text.remove_suffix(1);
    return text;
}

// The run of characters up to the first one that stops it.
template <typename Stop>
std::string_view take_run(std::string_view& text, Stop stop) {
    const auto end = std::find_if(text.begin(), text.end(), stop);
    const std::string_view run = text.substr(0, static_cast<std::size_t>(end - text.begin()));
    text.remove_prefix(run.size());
    return run;
}

std::string_view section_header(std::string_view text) {
    text.remove_prefix(1);  // "["
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    std::string_view name = take_run(text, is_space);
    if (!name.empty() && name.back() == ']') name.remove_suffix(1);
    return name;
}

template <typename Items>
auto find_named(Items& items, std::string_view name) {
    return std::find_if(items.begin(), items.end(),
                        [&](const auto& item) { return archive::equal_ignoring_case(item.name, name); });
}

}  // namespace

void KeyFile::load(std::istream& in) {
    std::size_t current = no_section;
    while (const auto line = read_chunked_line(in)) load_line(line->text, current);
}

void KeyFile::load_line(std::string_view line, std::size_t& current) {
    line = skip_spaces(line);
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
        current = section_index(section_header(line));
        return;
    }
    const std::string_view key = take_run(line, [](char c) { return is_space(c) || c == '='; });
    line = skip_spaces(line);
    if (line.empty() || line.front() != '=') return;
    const std::string_view value = trim_control_tail(skip_spaces(line.substr(1)));
    // Keys in front of the first section belong to none and are dropped.
    if (value.empty() || current == no_section) return;
    set_key(sections_[current], key, value);
}

void KeyFile::set_key(Section& section, std::string_view key, std::string_view value) {
    auto found = find_named(section.keys, key);
    if (found == section.keys.end()) {
        section.keys.push_back({std::string(key), std::string(value)});
    } else {
        found->value = value;
    }
}

std::size_t KeyFile::section_index(std::string_view name) {
    const auto found = find_named(sections_, name);
    if (found != sections_.end()) return static_cast<std::size_t>(found - sections_.begin());
    sections_.push_back(Section{std::string(name), {}});
    return sections_.size() - 1;
}

std::optional<std::string_view> KeyFile::get(std::string_view section, std::string_view key) const {
    const auto found_section = find_named(sections_, section);
    if (found_section == sections_.end()) return std::nullopt;
    const auto found_key = find_named(found_section->keys, key);
    if (found_key == found_section->keys.end()) return std::nullopt;
    return std::string_view(found_key->value);
}

void KeyFile::put(std::string_view section, std::string_view key, std::string_view value) {
    set_key(sections_[section_index(section)], key, value);
}

void KeyFile::write(std::ostream& out) const {
    for (const Section& section : sections_) {
        out << '[' << section.name << "]\r\n";
        for (const Key& key : section.keys) out << key.name << '=' << key.value << "\r\n";
    }
}

}  // namespace rt
