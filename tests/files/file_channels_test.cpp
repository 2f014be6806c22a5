#include <tuple>

#include "runtime/core/run_errors.h"
#include "tests/files/files_fixture.h"

namespace {

using ChannelTest = FilesTest;

TEST_F(ChannelTest, LastLineNeedsNoLineBreakAndReadingPastTheEndEndsWithError3) {
    write("digits.txt", "1234567");
    ASSERT_EQ(rt::open_file(1, "digits.txt", 1), 1.0);
    EXPECT_EQ(rt::end_of_file(1), 0.0);
    EXPECT_EQ(rt::read_line(1), "1234567");
    EXPECT_EQ(rt::end_of_file(1), 1.0);
    EXPECT_EQ(ended_with([] { rt::read_line(1); }), rt::error_file_transfer);
}

TEST_F(ChannelTest, LinesLoseTheirCarriageReturnAndLongLinesSplitAt1024Bytes) {
    const std::string long_line(1500, 'x');
    write("lines.txt", "first\r\n\r\nthird\n" + long_line + "\r\nlast\r");
    ASSERT_EQ(rt::open_file(0, "lines.txt", 1), 1.0);
    EXPECT_EQ(rt::read_line(0), "first");
    EXPECT_EQ(rt::read_line(0), "");
    EXPECT_EQ(rt::read_line(0), "third");
    EXPECT_EQ(rt::read_line(0), long_line.substr(0, 1024));
    EXPECT_EQ(rt::read_line(0), long_line.substr(1024));
    EXPECT_EQ(rt::end_of_file(0), 0.0);
    EXPECT_EQ(rt::read_line(0), "last");
    EXPECT_EQ(rt::end_of_file(0), 1.0);
}

TEST_F(ChannelTest, ReadsFollowTheLineThatWasRead) {
    write("mixed.bin", std::string("AB\r\n") + '\x07' + "\x10\x27");
    ASSERT_EQ(rt::open_file(2, "mixed.bin", 1), 1.0);
    EXPECT_EQ(rt::read_line(2), "AB");
    EXPECT_EQ(rt::read_byte(2), 7.0);
    EXPECT_EQ(rt::read_word(2), 10000.0);
    EXPECT_EQ(rt::end_of_file(2), 1.0);
}

TEST_F(ChannelTest, TypedValuesSurviveAWriteAndReadBack) {
    ASSERT_EQ(rt::open_file(3, "values.bin", 0), 1.0);
    rt::write_long(3, 70000);
    rt::write_long(3, -1);
    rt::write_word(3, 70000);  // low 16 bits
    rt::write_byte(3, 300.9);  // truncated, low 8 bits
    rt::write_double(3, 0.1);
    rt::write_string(3, std::string("ab\0cd", 5));
    rt::write_line(3, "tail");
    rt::close_file(3);
    EXPECT_EQ(rt::file_size("values.bin"), 4 + 4 + 2 + 1 + 8 + 5 + 6);

    ASSERT_EQ(rt::open_file(3, "values.bin", 1), 1.0);
    EXPECT_EQ(rt::read_long(3), 70000.0);
    EXPECT_EQ(rt::read_long(3), 4294967295.0);
    EXPECT_EQ(rt::read_word(3), 70000.0 - 65536.0);
    EXPECT_EQ(rt::read_byte(3), 44.0);
    EXPECT_EQ(rt::read_double(3), 0.1);
    EXPECT_EQ(rt::read_string(3, 5), "ab");  // the text ends at the zero byte
    EXPECT_EQ(rt::read_string(3, 0), "");
    EXPECT_EQ(rt::read_line(3), "tail");
    EXPECT_EQ(ended_with([] { rt::read_byte(3); }), rt::error_file_transfer);
}

TEST_F(ChannelTest, WriteModeStartsEmptyAndReadModeNeedsAnExistingFile) {
    write("old.txt", "old contents");
    ASSERT_EQ(rt::open_file(4, "old.txt", 0), 1.0);
    EXPECT_EQ(rt::end_of_file(4), 1.0);
    rt::close_file(4);
    EXPECT_EQ(read("old.txt"), "");

    EXPECT_EQ(rt::open_file(5, "missing.txt", 1), 0.0);
    EXPECT_EQ(rt::open_file(5, ".", 1), 0.0);  // a directory is no file
    EXPECT_EQ(ended_with([] { rt::read_byte(5); }), rt::error_file_transfer);
    EXPECT_EQ(ended_with([] { rt::write_line(6, "never opened"); }), rt::error_file_transfer);
}

TEST_F(ChannelTest, ChannelsOutsideTheTableEndWithError7) {
    EXPECT_EQ(ended_with([] { rt::open_file(8, "x.txt", 0); }), rt::error_index_beyond_limit);
    EXPECT_EQ(ended_with([] { rt::read_line(-1); }), rt::error_index_beyond_limit);
    EXPECT_EQ(ended_with([] { rt::write_byte(1e12, 0); }), rt::error_index_beyond_limit);
    EXPECT_EQ(ended_with([] { rt::close_file(8); }), rt::error_index_beyond_limit);
    EXPECT_FALSE(std::filesystem::exists(path("x.txt")));
    EXPECT_EQ(rt::end_of_file(8), 1.0);  // no range check there
    EXPECT_EQ(ended_with([] { rt::open_file(7.9, "x.txt", 0); }), std::nullopt);
}

TEST_F(ChannelTest, AbsurdStringCountFailsAsATransfer) {
    write("short.bin", "abc");
    ASSERT_EQ(rt::open_file(0, "short.bin", 1), 1.0);
    EXPECT_EQ(ended_with([] { rt::read_string(0, 2e9); }), rt::error_file_transfer);
}

TEST_F(ChannelTest, WholeFileOperationsAcceptEitherSlash) {
    write("sub/data.txt", "12345");
    EXPECT_EQ(rt::file_exists("sub\\data.txt"), 1.0);
    EXPECT_EQ(rt::file_size("sub/data.txt"), 5.0);
    EXPECT_EQ(rt::file_exists("sub"), 0.0);
    EXPECT_EQ(rt::file_size("nothing.txt"), 0.0);
    rt::delete_file("sub\\data.txt");
    EXPECT_EQ(rt::file_exists("sub/data.txt"), 0.0);

    EXPECT_EQ(rt::set_current_directory("sub"), 1.0);
    EXPECT_EQ(rt::current_directory(), (path("sub").string() + "/"));
    EXPECT_EQ(rt::set_current_directory("no-such-dir"), 0.0);
    EXPECT_EQ(rt::set_current_directory(".."), 1.0);

    std::string text = "a\\b\\c.txt";
    rt::slashes_forward(text);
    EXPECT_EQ(text, "a/b/c.txt");
}

TEST(WildcardTest, StarQuestionMarkAndLetterCase) {
    // "?" never stands for ".".
    for (const auto& [pattern, name, matches] :
         {std::tuple{"*.TXT", "notes.txt", true}, {"*", "", true}, {"a*b*c", "aXbYbZc", true},
          {"save?.dat", "SAVE1.DAT", true}, {"save?dat", "save.dat", false}, {"*.txt", "notes.txt.bak", false},
          {"a*b", "aXbY", false}, {"", "a", false}}) {
        EXPECT_EQ(rt::wildcard_match(pattern, name), matches) << pattern << " " << name;
    }
    // Many stars against a long mismatch must finish quickly.
    EXPECT_FALSE(rt::wildcard_match(std::string(30, '*') + "b", std::string(5000, 'a')));
}

TEST_F(ChannelTest, DirectoryListingKeepsDirectoriesApartAndFiltersFiles) {
    write("b.sav", "");
    write("A.SAV", "");
    write("c.txt", "");
    write("saves.sav/inner", "");
    const rt::DirectoryListing listing = rt::list_directory("*.sav");
    EXPECT_EQ(listing.files, (std::vector<std::string>{"A.SAV", "b.sav"}));
    EXPECT_EQ(listing.directories, (std::vector<std::string>{"saves.sav"}));
}

}  // namespace
