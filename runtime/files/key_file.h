#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// A key/value file in "[section]" blocks. Section and key names compare
// without regard to letter case; order of first appearance is kept.
class KeyFile {
public:
    // Adds what the stream's lines hold; unusable lines are skipped.
    void load(std::istream& in);
    std::optional<std::string_view> get(std::string_view section, std::string_view key) const;
    // Adds the section and key when missing, then stores the value.
    void put(std::string_view section, std::string_view key, std::string_view value);
    // "[name]" then "key=value" lines, each ending in CR LF.
    void write(std::ostream& out) const;
    void clear() { sections_.clear(); }

private:
    struct Key {
        std::string name;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };

    // Finds the section, adding it when missing.
    std::size_t section_index(std::string_view name);
    static constexpr std::size_t no_section = static_cast<std::size_t>(-1);
    void load_line(std::string_view line, std::size_t& current);
    static void set_key(Section& section, std::string_view key, std::string_view value);

    std::vector<Section> sections_;
};

}  // namespace rt
