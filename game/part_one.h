#pragma once
// The Part One location procedures, a01 to a52: one call per frame while
// the player is at that location. run_part_one_location (locations.h) picks one by loc.

namespace game {

// The code the end of Part One writes into "partone.vx".
inline constexpr const char* part_one_marker_code = "5190364";

double location_a01();
double location_a02();
double location_a03();
double location_a04();
double location_a05();
double location_a06();
double location_a07();
double location_a08();
double location_a09();
double location_a10();
double location_a11();
double location_a12();
double location_a13();
double location_a14();
double location_a15();
double location_a16();
double location_a17();
double location_a18();
double location_a19();
double location_a20();
double location_a21();
double location_a22();
double location_a23();
double location_a24();
double location_a25();
double location_a26();
double location_a27();
double location_a28();
double location_a29();
double location_a30();
double location_a31();
double location_a32();
double location_a33();
double location_a34();
double location_a35();
double location_a36();
double location_a37();
double location_a38();
double location_a39();
double location_a40();
double location_a41();
double location_a42();
double location_a43();
double location_a44();
double location_a45();
double location_a46();
double location_a47();
double location_a48();
double location_a49();
double location_a50();
double location_a51();
double location_a52();

}  // namespace game
