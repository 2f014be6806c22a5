
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <tuple>
#include <vector>

#include "runtime/core/isaac.h"
#include "runtime/core/numbers.h"
#include "tests/support/testdata.h"

namespace {

// Hexadecimal words, read 8 digits at a time whatever the line layout.
std::vector<std::uint32_t> read_hex_words(const std::filesystem::path& file_path) {
    std::ifstream file(file_path);
    std::vector<std::uint32_t> words;
    std::string line;
    while (std::getline(file, line)) {
        for (std::size_t i = 0; i + 8 <= line.size(); i += 8) {
            words.push_back(static_cast<std::uint32_t>(std::stoul(line.substr(i, 8), nullptr, 16)));
        }
    }
    return words;
}

TEST(Isaac, MatchesTheReferenceOutputForTheZeroSeed) {
    MARLOWICK_TESTDATA_FOLDER(isaac_dir, "isaac");
    const std::vector<std::uint32_t> init_block = read_hex_words(isaac_dir / "block0_randinit_zero_seed.txt");
    const std::vector<std::uint32_t> vector_words = read_hex_words(isaac_dir / "randvect_words.txt");
    ASSERT_EQ(init_block.size(), 256u);
    ASSERT_EQ(vector_words.size(), 512u);

    rt::Isaac isaac;
    const std::vector<std::uint32_t> first(isaac.results().begin(), isaac.results().end());
    EXPECT_EQ(first, init_block);
    for (std::size_t pass = 0; pass < 2; ++pass) {
        isaac.generate();
        const std::vector<std::uint32_t> block(isaac.results().begin(), isaac.results().end());
        const std::vector<std::uint32_t> expected(vector_words.begin() + static_cast<long>(pass * 256),
                                                  vector_words.begin() + static_cast<long>(pass * 256 + 256));
        EXPECT_EQ(block, expected) << "generation pass " << pass + 1;
    }
}

TEST(Random, UsesTheFirstWordOfOneFreshPassPerCall) {
    rt::seed_random(1234);
    rt::Isaac::Block seed{};
    seed[0] = 1234;
    rt::Isaac reference(seed);
    for (int call = 0; call < 3; ++call) {
        reference.generate();
        EXPECT_EQ(rt::random_number(999999.9), reference.results()[0] % 1000000u);
    }
    // The unsigned modulus still holds beyond the 32-bit range of n.
    reference.generate();
    EXPECT_EQ(rt::random_number(1e12), reference.results()[0] % 0x80000001u);
}

TEST(Random, LimitsBelowOneGiveZeroAndNonPositiveOnesDoNotAdvance) {
    rt::seed_random(77);
    const double expected = rt::random_number(1000000);
    rt::seed_random(77);
    EXPECT_EQ(rt::random_number(0), 0.0);
    EXPECT_EQ(rt::random_number(-5), 0.0);
    EXPECT_EQ(rt::random_number(std::nan("")), 0.0);
    EXPECT_EQ(rt::random_number(1000000), expected);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(rt::random_number(0.5), 0.0);  // advancing, but below one
}

TEST(NumberFunctions, ModTruncatesBothSidesAndKeepsTheSignOfA) {
    // A divisor that truncates to 0 gives 0.
    for (const auto& [a, b, expected] : {std::tuple{7.0, 0.0, 0.0}, {-7.0, 3.0, -1.0}, {7.0, -3.0, 1.0},
                                         {7.9, 3.9, 1.0}, {7.0, 0.5, 0.0}, {-2147483648.0, -1.0, 0.0}}) {
        EXPECT_EQ(rt::number_mod(a, b), expected) << a << " mod " << b;
    }
}

TEST(NumberFunctions, TruncationToInt32) {
    constexpr std::int32_t invalid = std::numeric_limits<std::int32_t>::min();
    for (const auto& [number, expected] : {std::pair{7.9, 7}, {-7.9, -7}, {2147483647.5, 2147483647},
                                           {3e9, invalid}, {std::nan(""), invalid}}) {
        EXPECT_EQ(rt::truncate_to_int32(number), expected) << number;
    }
}

TEST(NumberFunctions, TrigonometryInDegreesAndAbsoluteValue) {
    EXPECT_NEAR(rt::sin_degrees(30) + rt::cos_degrees(60) + rt::tan_degrees(45), 2.0, 1e-12);
    EXPECT_NEAR(rt::atan2_degrees(1, -1), 135.0, 1e-12);
    EXPECT_NEAR(rt::acos_degrees(0.5), 60.0, 1e-12);
    EXPECT_EQ(rt::acos_degrees(2), 0.0);
    EXPECT_EQ(rt::acos_degrees(-1.5), 180.0);
    EXPECT_TRUE(std::isnan(rt::absolute_value(std::nan(""))));
    EXPECT_TRUE(std::signbit(rt::absolute_value(0.0))) << "only positive numbers pass unchanged";
}

TEST(NumberFunctions, FormatNumberUsesWidthAndDecimals) {
    for (const auto& [width, decimals, number, expected] :
         {std::tuple{6.0, 2.0, 3.14159, "  3.14"}, {-6.0, 2.0, 3.14159, "3.14  "}, {0.0, 0.0, 2.6, "3"},
          {3.9, 1.9, -0.26, "-0.3"}, {1.0, -3.0, 1.7, "2"}}) {
        EXPECT_EQ(rt::format_number(width, decimals, number), expected) << number;
    }
    const rt::RtString wide = rt::format_number(1e9, 1e9, 1.0);
    EXPECT_EQ(wide.length, 255u);

    EXPECT_EQ(rt::number_text_length(1.0 / 3.0), 12.0);
    EXPECT_EQ(rt::number_text_length(1e10), 7.0);
}

}  // namespace
