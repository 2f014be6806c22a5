#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/core/rt_string.h"

namespace {

using rt::RtString;
using rt::StringComparison;

TEST(RtStringStorage, EmptyValuesShareOneBufferAndWritesGrowInStepsOf512) {
    RtString a;
    const RtString b;
    EXPECT_EQ(a.buffer, b.buffer);
    a += "";
    EXPECT_EQ(a.capacity, 512u);
    EXPECT_EQ(b.buffer[0], 0) << "the shared empty buffer was written";

    const std::string text511(511, 'x');
    RtString value(text511.c_str());
    value += "y";  // 512 bytes and the terminator
    EXPECT_EQ(value.capacity, 1024u);
    EXPECT_EQ(value.view(), text511 + "y");

    RtString exact;
    rt::rt_string_assign_exact(exact, "hello");
    EXPECT_EQ(exact.capacity, 6u);
    exact += " world";
    EXPECT_EQ(exact, "hello world");

    rt::rt_string_release(exact);
    EXPECT_STREQ(exact.text(), "");
    exact += "again";
    EXPECT_EQ(exact, "again");
}

TEST(RtStringStorage, CopiesOwnTheirBytesAndMovesLeaveEmptyValues) {
    RtString original("abc");
    RtString copy = rt::rt_string_copy(original);
    rt::rt_string_set_char(copy, 0, 'X');
    EXPECT_EQ(original, "abc");
    copy += copy;  // the source lives in the buffer that grows
    EXPECT_EQ(copy, "XbcXbc");
    const std::string long_text(600, 'q');
    RtString big(long_text.c_str());
    big += big;
    EXPECT_EQ(big.view(), long_text + long_text);

    RtString moved(std::move(original));
    EXPECT_EQ(moved, "abc");
    EXPECT_STREQ(original.text(), "");  // NOLINT(bugprone-use-after-move)
}

TEST(RtStringOperations, ConcatenationTurnsNumbersIntoText) {
    const RtString name("loc");
    EXPECT_EQ(rt::rt_string_concat_cstr(name, "_Str"), "loc_Str");
    EXPECT_EQ(rt::rt_cstr_concat_string("my", name), "myloc");
    EXPECT_EQ(name + 12.0, "loc12");
    EXPECT_EQ(-2.25 + name, "-2.25loc");
    EXPECT_EQ(name + 0.1f, "loc0.1000000015");
    EXPECT_EQ(rt::rt_string_concat(3, 0.5), "30.5");
    EXPECT_EQ(RtString() + RtString(), "");

    RtString built;
    built += "a";
    built += name;
    built += 7;
    built += 2.5;
    EXPECT_EQ(built, "aloc72.5");
    EXPECT_EQ(built.length, 8u);
}

TEST(RtStringOperations, DirectBufferEditsRecountCutAndTrim) {
    RtString value("HELLO");
    EXPECT_EQ(rt::rt_string_char_at(value, 1), 'E');
    rt::rt_string_set_char(value, 2, 0);
    EXPECT_EQ(value.length, 5u) << "set char must not recount";
    rt::rt_string_recount(value);
    EXPECT_EQ(value, "HE");

    RtString cut("abcdef");
    rt::rt_string_cut_at(cut, 3);
    EXPECT_EQ(cut.length, 3u);
    rt::rt_string_cut_at(cut, 100000);  // outside the buffer: ignored
    EXPECT_EQ(cut, "abc");

    RtString empty;
    EXPECT_EQ(rt::rt_string_char_at(empty, 0), 0);
    rt::rt_string_set_char(empty, 0, 'x');  // must not write the shared buffer
    rt::rt_string_cut_at(empty, 0);
    EXPECT_STREQ(RtString().buffer, "");

    RtString line("name\r\n\x01\xE9");
    EXPECT_EQ(rt::rt_string_char_at(line, 7), -23);
    rt::rt_string_trim_control_tail(line);
    EXPECT_EQ(line, "name");
    EXPECT_EQ(line.length, 4u);

    // A buffer filled without any terminator keeps one at its last byte.
    RtString full;
    char* buffer = rt::rt_string_reserve(full, 10);
    std::memset(buffer, 'z', full.capacity);
    rt::rt_string_recount(full);
    EXPECT_EQ(full.length, full.capacity - 1);
    EXPECT_EQ(full.buffer[full.length], 0);
}

struct TextComparison {
    const char* left;
    StringComparison op;
    const char* right;
    double expected;
};

TEST(RtStringComparisons, TextsCompareByteWise) {
    const std::vector<TextComparison> cases = {
        {"", StringComparison::equal, "", 1.0},        {"abc", StringComparison::less, "abd", 1.0},
        {"abd", StringComparison::greater, "abc", 1.0}, {"B", StringComparison::less, "a", 1.0},
        {"abc", StringComparison::differs, "abc", 0.0}, {"ab", StringComparison::less_or_equal, "abc", 1.0},
        {"abc", StringComparison::greater_or_equal, "abc", 1.0}, {"\xE9", StringComparison::greater, "z", 1.0},
    };
    for (const TextComparison& c : cases) {
        const RtString left(c.left);
        const RtString right(c.right);
        SCOPED_TRACE(std::string(c.left) + " vs " + c.right);
        EXPECT_EQ(rt::rt_string_compare(c.op, left, right), c.expected);
        EXPECT_EQ(rt::rt_string_compare(c.op, left, c.right), c.expected);
        EXPECT_EQ(rt::rt_string_compare(c.op, c.left, right), c.expected);
        EXPECT_EQ(rt::rt_string_compare(c.op, c.left, c.right), c.expected);
    }

    EXPECT_EQ(rt::rt_string_compare(StringComparison::equal, RtString(), RtString("")), 1.0);
    EXPECT_EQ(rt::rt_string_equals(RtString(), ""), 1.0);
    EXPECT_EQ(rt::rt_string_differs(RtString("DESKTOP"), "F100"), 1.0);

    // Value against value checks the lengths first.
    const RtString with_nul(std::string_view("ab\0", 3));
    const RtString plain("ab");
    EXPECT_EQ(rt::rt_string_compare(StringComparison::equal, with_nul, plain), 0.0);
    EXPECT_EQ(rt::rt_string_compare(StringComparison::differs, with_nul, plain), 1.0);
    EXPECT_EQ(rt::rt_string_compare(StringComparison::less_or_equal, with_nul, plain), 1.0);
}

TEST(RtStringComparisons, TextsAgainstNumbersCompareAsNumbers) {
    using enum StringComparison;
    EXPECT_EQ(rt::rt_string_compare(equal, RtString("12"), 12), 1.0);
    EXPECT_EQ(rt::rt_string_compare(equal, RtString("12abc"), 12.0), 1.0);
    EXPECT_EQ(rt::rt_string_compare(equal, RtString(""), 0) + rt::rt_string_compare(equal, RtString(), 0.0f), 2.0);
    EXPECT_EQ(rt::rt_string_compare(less, RtString("9"), 10), 1.0) << "not byte order";
    EXPECT_EQ(rt::rt_string_compare(StringComparison::greater, 10, RtString("9")), 1.0);
    EXPECT_EQ(rt::rt_string_compare(StringComparison::differs, 3.5, RtString(" 3.5")), 0.0);
}

TEST(NumberText, FollowsTheTenDigitRule) {
    const std::vector<std::pair<double, const char*>> cases = {
        {3.0, "3"},          {0.5, "0.5"},         {-2.25, "-2.25"},          {1.0 / 3.0, "0.3333333333"},
        {1e10, "1.e+010"},   {0.1, "0.1"},         {1e-5, "1.e-005"},         {1234567890.0, "1234567890"},
        {0.0001, "0.0001"},  {1.5e-7, "1.5e-007"}, {-1e300, "-1.e+300"},      {123456789012.0, "1.23456789e+011"},
        {100.0, "100"},      {0.0, "0"},           {-0.0, "-0"},              {12345.678, "12345.678"},
        {2.0 / 3.0, "0.6666666667"}, {9999999999.6, "1.e+010"},  // rounding carries into the exponent
    };
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(rt::number_text(number).view(), expected) << number;
    }
    EXPECT_EQ(rt::number_text(std::int32_t{-2147483647 - 1}).view(), "-2147483648");
}

TEST(NumberText, TextToNumberReadsTheLongestDecimalPrefix) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"12abc", 12.0}, {"", 0.0},     {"abc", 0.0},  {" \t\n-3e2", -300.0}, {"+7", 7.0},     {".5", 0.5},
        {"1e", 1.0},     {"1e+", 1.0},  {"2.5E-1x", 0.25}, {"0x1A", 0.0},     {"inf", 0.0},    {"-", 0.0},
        {".", 0.0},      {"1e400", HUGE_VAL},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(rt::text_to_number(text), expected) << '"' << text << '"';
    }
    const std::string long_number = "1" + std::string(200, '0') + "x";
    EXPECT_EQ(rt::text_to_number(long_number.c_str()), 1e200);
}

TEST(StringFunctions, MidClipsAndRefusesBadStarts) {
    const RtString hello("HELLO");
    for (const auto& [start, count, expected] :
         {std::tuple{1.0, 3.0, "ELL"}, {4.0, 10.0, "O"}, {5.0, 1.0, ""}, {-1.0, 2.0, ""}, {1.9, 2.9, "EL"},
          {0.0, 1e300, "HELLO"}, {NAN, 2.0, ""}}) {
        EXPECT_EQ(rt::string_mid(hello, start, count), expected) << start << " " << count;
    }
    EXPECT_EQ(rt::string_mid("", 0, 3), "");
}

TEST(StringFunctions, CodesAndCase) {
    EXPECT_EQ(rt::string_first_code(RtString("\xE9t\xE9")), -23.0);
    EXPECT_EQ(rt::string_first_code(RtString()), 0.0);
    EXPECT_EQ(rt::string_length(RtString("abc")), 3.0);

    EXPECT_EQ(rt::string_from_code(65.7), "A");
    EXPECT_EQ(rt::string_from_code(256 + 66), "B");
    EXPECT_EQ(rt::string_from_code(-23), "\xE9");
    EXPECT_EQ(rt::string_from_code(0).length, 0u);

    EXPECT_EQ(rt::string_upper("Caf\xE9 zZ@["), "CAF\xE9 ZZ@[");
    EXPECT_EQ(rt::string_lower(RtString("Caf\xC9 zZ@[")), "caf\xC9 zz@[");
}

TEST(StringFunctions, FindAndReplaceAll) {
    const RtString haystack("the cat sat");
    EXPECT_EQ(rt::string_find(haystack, "at"), 5.0);
    EXPECT_EQ(rt::string_find(haystack, RtString("sat")), 8.0);
    EXPECT_EQ(rt::string_find("the cat sat", RtString("dog")), -1.0);
    EXPECT_EQ(rt::string_find("abc", ""), 0.0);

    EXPECT_EQ(rt::string_replace_all(haystack, "at", "og"), "the cog sog");
    // The search resumes behind each replacement, so growth cannot loop.
    for (const auto& [text, from, to, expected] :
         {std::tuple{"a-b-c", "-", ", ", "a, b, c"}, {"abcabc", "bc", "", "aa"}, {"aaa", "a", "aa", "aaaaaa"},
          {"aaaa", "aa", "a", "aa"}, {"abc", "", "x", "abc"}}) {
        EXPECT_EQ(rt::string_replace_all(text, from, to), expected) << text;
    }
}

TEST(StringFunctions, HexOfBytesAndCommandLine) {
    const std::uint8_t bytes[] = {0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(rt::hex_of_bytes(bytes), "000FA5FF");
    EXPECT_EQ(rt::hex_of_bytes({}), "");

    rt::set_command_line("-window \"my save\"");
    RtString copy = rt::command_line();
    EXPECT_EQ(copy, "-window \"my save\"");
    copy += " changed";
    EXPECT_EQ(rt::command_line(), "-window \"my save\"");
    rt::set_command_line("");
}

}  // namespace
