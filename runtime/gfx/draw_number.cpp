#include "runtime/core/rt_string.h"
#include "runtime/gfx/fonts.h"

namespace rt {

void draw_number(double number, double x, double y) { draw_text(std::string(number_text(number).view()), x, y); }

}  // namespace rt
