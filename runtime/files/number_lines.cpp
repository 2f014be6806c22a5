#include "runtime/files/file_commands.h"
#include "runtime/files/number_text.h"

namespace rt {

void write_number_line(double channel, double value) { write_line(channel, number_to_text(value)); }

void write_table_number(const std::string& file, double index, double value) {
    write_table_line(file, index, number_to_text(value));
}

}  // namespace rt
