#include "runtime/core/rt_string.h"
#include "runtime/files/file_commands.h"

namespace rt {
namespace {

std::string text_of(double value) { return std::string(number_text(value).view()); }

}  // namespace

void write_number_line(double channel, double value) { write_line(channel, text_of(value)); }

void write_table_number(const std::string& file, double index, double value) {
    write_table_line(file, index, text_of(value));
}

}  // namespace rt
