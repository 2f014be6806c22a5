#pragma once
// The runtime's key numbers (the keyboard's scan-code set), as games and the
// runtime itself ask for keys with key_down.
namespace rt::keys {

inline constexpr int escape = 1;
inline constexpr int backspace = 14;
inline constexpr int tab = 15;
inline constexpr int return_key = 28;
inline constexpr int left_shift = 42;
inline constexpr int right_shift = 54;
inline constexpr int left_alt = 56;
inline constexpr int space = 57;
inline constexpr int f2 = 60;
inline constexpr int f4 = 62;
// Esc as some keyboards report it (the extended code).
inline constexpr int escape_alternate = 129;
inline constexpr int keypad_enter = 156;
inline constexpr int cursor_up = 200;
inline constexpr int page_up = 201;
inline constexpr int cursor_down = 208;
inline constexpr int page_down = 209;

}  // namespace rt::keys
