#include <sstream>

#include "runtime/core/run_errors.h"
#include "runtime/files/key_file.h"
#include "tests/files/files_fixture.h"

namespace {

using LineTableTest = FilesTest;
using KeyFileTest = FilesTest;

TEST_F(LineTableTest, ReadsLinesAndMarksEmptyOnesAsNoData) {
    write("scores.txt", "100\r\n\r\nAnna \t\r\n" + std::string(2000, 'z'));
    std::string text;
    EXPECT_EQ(rt::read_table_line("scores.txt", 0, text), 0.0);
    EXPECT_EQ(text, "100");
    EXPECT_EQ(rt::read_table_number("scores.txt", 0), 100.0);
    rt::read_table_line("scores.txt", 1, text);
    EXPECT_EQ(text, "NO_DATA");
    rt::read_table_line("scores.txt", 2, text);
    EXPECT_EQ(text, "Anna ");  // bytes below 32 go from the end, blanks stay
    rt::read_table_line("scores.txt", 3, text);
    EXPECT_EQ(text.size(), 1023u);  // an overlong line fills one slot
    EXPECT_EQ(rt::read_table_line("scores.txt", 255, text), 0.0);
    EXPECT_EQ(text, "NO_DATA");
    EXPECT_EQ(rt::runtime_state().error_code, 0.0);
}

TEST_F(LineTableTest, BadIndexAndMissingFileAreRecordedButTheProgramGoesOn) {
    std::string text;
    EXPECT_EQ(rt::read_table_line("none.txt", 256, text), 7.0);
    EXPECT_EQ(text, "NO_DATA");
    EXPECT_EQ(rt::runtime_state().error_code, rt::error_index_beyond_limit);

    EXPECT_EQ(rt::read_table_line("none.txt", 0, text), 3.0);
    EXPECT_EQ(text, "NO_FILE");
    EXPECT_EQ(rt::runtime_state().error_code, rt::error_file_transfer);

    rt::runtime_state().error_code = 0;
    rt::write_table_line("none.txt", -1, "lost");
    EXPECT_EQ(rt::runtime_state().error_code, rt::error_index_beyond_limit);
}

TEST_F(LineTableTest, SwitchingFilesWritesTheChangedOneBackWithCrLf) {
    write("a.txt", "one\ntwo\nthree\n");
    write("b.txt", "other\n");
    rt::write_table_line("a.txt", 1, "TWO");
    rt::write_table_line("a.txt", 4, "five");
    EXPECT_EQ(read("a.txt"), "one\ntwo\nthree\n");  // still cached

    std::string text;
    rt::read_table_line("b.txt", 0, text);
    EXPECT_EQ(text, "other");
    EXPECT_EQ(read("a.txt"), "one\r\nTWO\r\nthree\r\n\r\nfive\r\n");

    // Unchanged tables are left alone; a missing file becomes a new one.
    rt::read_table_line("c.txt", 0, text);
    EXPECT_EQ(read("b.txt"), "other\n");
    rt::write_table_line("c.txt", 0, std::string(1500, 'q'));
    rt::release_file_commands();
    EXPECT_EQ(read("c.txt"), std::string(1023, 'q') + "\r\n");
}

TEST_F(KeyFileTest, NamesIgnoreCaseAndTheParsingRulesHold) {
    write("game.ini",
          "; comment\r\n"
          "  [ Video]\r\n"
          "speed = 5\r\n"
          "speed =\r\n"
          "noequals 3\r\n"
          "Title=The Long  Road \t\x01\r\n"
          "[Audio] trailing words\n"
          "volume=80\n"
          "VOLUME=90\n"
          "\t;indented comment=1\n");
    rt::open_key_file("game.ini");
    EXPECT_EQ(rt::ini_get("video", "SPEED"), "5");  // the later "speed =" is ignored
    EXPECT_EQ(rt::ini_get("Video", "noequals"), "NO_DATA");
    EXPECT_EQ(rt::ini_get("Video", "title"), "The Long  Road ");  // control bytes go from the end
    EXPECT_EQ(rt::ini_get("audio", "volume"), "90");
    EXPECT_EQ(rt::ini_get("Audio", ";indented"), "NO_DATA");
    EXPECT_EQ(rt::ini_get("Sound", "volume"), "NO_DATA");
}

TEST_F(KeyFileTest, ChangesAreWrittenBackWhenAnotherFileIsOpenedAndAtProgramEnd) {
    write("a.ini", "[Main]\nspeed=5\n");
    rt::open_key_file("a.ini");
    rt::ini_put("MAIN", "Speed", "7");
    rt::ini_put("Extra", "name", "Kim");
    rt::open_key_file("b.ini");  // missing: starts empty
    EXPECT_EQ(read("a.ini"), "[Main]\r\nspeed=7\r\n[Extra]\r\nname=Kim\r\n");
    EXPECT_EQ(rt::ini_get("Main", "speed"), "NO_DATA");

    rt::ini_put("S", "k", "v");
    EXPECT_EQ(ended_with([] { rt::end_program(); }), rt::error_normal_end);
    EXPECT_EQ(read("b.ini"), "[S]\r\nk=v\r\n");
}

TEST(KeyFileParsing, BinaryAndOverlongLinesLoadWhatTheyCan) {
    std::string bytes = "[A]\nx=1\n";
    bytes += std::string(3000, 'k') + "=long\n";
    bytes += std::string("bin\0ary=2\n", 10);
    bytes += "\xff\xfe=3\ny=4";
    std::istringstream in(bytes);
    rt::KeyFile keys;
    keys.load(in);
    EXPECT_EQ(keys.get("a", "x"), "1");
    EXPECT_EQ(keys.get("A", "\xff\xfe"), "3");
    EXPECT_EQ(keys.get("A", "y"), "4");
    EXPECT_FALSE(keys.get("A", "bin"));  // the line ends at its zero byte
}

}  // namespace
