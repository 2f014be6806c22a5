#pragma once
#include <string>
#include <vector>

// The game's file commands: eight numbered channels with typed binary reads
// and writes, whole-file operations, a cached table of numbered text lines of
// one file, a cached key file and the directory listing. Numbers arrive as
// doubles and are truncated toward zero where an integer is meant. Names
// accept "/" and "\". A bad channel (error 7) and a failed transfer (error 3)
// end the program; everything else reports through results.
namespace rt {

inline constexpr int file_channel_count = 8;
inline constexpr int line_table_slots = 256;

// --- channels ---
// Mode 0 deletes the file and creates it empty for reading and writing; any
// other mode opens an existing file for reading. 1.0 when open, else 0.0.
double open_file(double channel, const std::string& name, double mode);
void close_file(double channel);
// 1.0 once everything was read (always for a closed channel); no range check.
double end_of_file(double channel);
// Little-endian, unsigned.
double read_byte(double channel);
double read_word(double channel);
double read_long(double channel);
double read_double(double channel);
// Exactly count bytes (none for count <= 0); the text ends at the first zero byte.
std::string read_string(double channel, double count);
std::string read_line(double channel);
// The low 8, 16 or 32 bits of the truncated value, little-endian.
void write_byte(double channel, double value);
void write_word(double channel, double value);
void write_long(double channel, double value);
void write_double(double channel, double value);
void write_string(double channel, const std::string& text);
// The text followed by CR LF.
void write_line(double channel, const std::string& text);
void write_number_line(double channel, double value);

// --- whole files ---
double file_exists(const std::string& name);
double file_size(const std::string& name);
void delete_file(const std::string& name);
// With "/" separators and a trailing "/".
std::string current_directory();
double set_current_directory(const std::string& name);
void slashes_forward(std::string& text);

// --- line table: 256 lines of one file, written back when changed ---
// Result 0 and the line ("NO_DATA" when empty); 7 and "NO_DATA" for an index
// outside 0..255; 3 and "NO_FILE" when the file is missing. Errors 7 and 3
// are recorded without ending the program.
double read_table_line(const std::string& file, double index, std::string& out);
double read_table_number(const std::string& file, double index);
void write_table_line(const std::string& file, double index, const std::string& text);
void write_table_number(const std::string& file, double index, double value);

// --- key file ---
// Writes the current key file back when changed, then loads the named one.
void open_key_file(const std::string& name);
// "NO_DATA" when the section or key is missing. Names ignore letter case.
std::string ini_get(const std::string& section, const std::string& key);
void ini_put(const std::string& section, const std::string& key, const std::string& value);

// --- directory listing of the current directory ---
struct DirectoryListing {
    std::vector<std::string> directories;  // every subdirectory
    std::vector<std::string> files;        // files whose name matches the pattern
};
DirectoryListing list_directory(const std::string& pattern);
// "*" matches any run (also none), "?" one character other than ".", letters
// ignore case, and the whole name must be consumed.
bool wildcard_match(const std::string& pattern, const std::string& name);

// At program end: writes the changed line table and key file back, closes
// every channel and forgets the cached files.
void release_file_commands();

}  // namespace rt
