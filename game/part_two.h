#pragma once
// The Part Two location procedures, b01 to b43: one call per frame while
// the player is at that location. run_part_two_location (locations.h) picks one by loc;
// intro_story_two (locations.h) runs once before the first of them.

namespace game {

double location_b01();
double location_b02();
double location_b03();
double location_b04();
double location_b05();
double location_b06();
double location_b07();
double location_b08();
double location_b09();
double location_b10();
double location_b11();
double location_b12();
double location_b13();
double location_b14();
double location_b15();
double location_b16();
double location_b17();
double location_b18();
double location_b19();
double location_b20();
double location_b21();
double location_b22();
double location_b23();
double location_b24();
double location_b25();
double location_b26();
double location_b27();
double location_b28();
double location_b29();
double location_b30();
double location_b31();
double location_b32();
double location_b33();
double location_b34();
double location_b35();
double location_b36();
double location_b37();
double location_b38();
double location_b39();
double location_b40();
double location_b41();
double location_b42();
double location_b43();

}  // namespace game
