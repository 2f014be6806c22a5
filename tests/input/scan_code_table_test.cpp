#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/input.h"

namespace {

// A sample of codes checked against the backend's own name for the key it
// maps to; the names are the ones the system gives those scan codes.
TEST(ScanCodeTable, CodesNameTheirKeys) {
    const std::map<int, std::string> expected = {
        {1, "Escape"},      {11, "0"},           {15, "Tab"},         {30, "A"},          {31, "S"},
        {54, "Right Shift"}, {58, "CapsLock"},   {68, "F10"},         {74, "Keypad -"},   {83, "Keypad ."},
        {87, "F11"},        {156, "Keypad Enter"}, {181, "Keypad /"}, {184, "Right Alt"}, {199, "Home"},
        {208, "Down"},      {211, "Delete"},     {221, "Application"},
        // What the keys send on Linux: Stop, the keypad comma, the mute key.
        {0x95, "Stop"},       {0xA0, "AudioMute"}, {0xB3, "Keypad ,"},
    };
    for (const auto& [code, name] : expected) EXPECT_EQ(platform::sdl_key_name(code), name) << "scan code " << code;
    for (const int code : {0, 84, 89, 255, -1, 256}) EXPECT_EQ(platform::sdl_scancode_of(code), 0) << code;
}

// Every key of a full-size keyboard can be asked for, each by exactly one code.
TEST(ScanCodeTable, CoversTheFullKeyboardWithoutDuplicates) {
    std::map<int, int> code_of_key;
    for (int code = 0; code < platform::key_code_count; ++code) {
        const int key = platform::sdl_scancode_of(code);
        if (key == 0) continue;
        EXPECT_FALSE(code_of_key.contains(key)) << "codes " << code_of_key[key] << " and " << code;
        code_of_key[key] = code;
    }
    // The backend's usage numbers: letters 4-29, digits 30-39, Return to
    // Keypad . 40-99 (less the ISO hash key, which shares the backslash
    // code), the ISO key 100, Application 101, modifiers 224-231.
    std::set<int> full_keyboard;
    for (int key = 4; key <= 101; ++key) full_keyboard.insert(key);
    full_keyboard.erase(50);
    for (int key = 224; key <= 231; ++key) full_keyboard.insert(key);
    for (const int key : full_keyboard) EXPECT_TRUE(code_of_key.contains(key)) << "no code for key " << key;
}

}  // namespace
