# Writes a C++ source that holds the bytes of a PNG: the window icon built
# into the program. cmake -DINPUT=icon.png -DOUTPUT=window_icon.cpp -P embed_png.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Made at build time from packaging/marlowick.svg.\n"
"#include \"game/game.h\"\n\n"
"namespace game {\n"
"namespace {\n"
"constexpr std::uint8_t icon_png[] = {\n    ${bytes}\n};\n"
"}  // namespace\n\n"
"std::span<const std::uint8_t> window_icon_png() { return icon_png; }\n\n"
"}  // namespace game\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
