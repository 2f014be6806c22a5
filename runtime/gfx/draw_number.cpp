// Kept apart from fonts.cpp: it needs the number-to-text rule of the strings
// area, and only programs that print numbers pull it in.
#include "runtime/gfx/fonts.h"

namespace rt {

// The runtime's number-to-text rule (10 significant digits); provided by the
// strings area.
std::string number_text(double value);

void draw_number(double number, double x, double y) { draw_text(number_text(number), x, y); }

}  // namespace rt
