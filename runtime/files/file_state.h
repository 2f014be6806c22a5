#pragma once

// The process-wide parts of the file commands, released together at program end.
namespace rt::files {

void close_all_channels();
// Writes the line table back when changed and forgets it.
void release_line_table();
// Writes the key file back when changed and forgets it.
void release_key_file();

}  // namespace rt::files
