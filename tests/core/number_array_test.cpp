#include "runtime/core/number_array.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "tests/support/headless.h"

namespace {

class NumberArrays : public ::testing::Test {
protected:
    void SetUp() override {
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 1;
    }

    // The end report left by `access`, run at file 1, line 42; empty when the program went on.
    std::string report_after(const std::function<void()>& access) {
        std::filesystem::remove(temp.path() / "ErrorLog.txt");
        rt::set_source_position(1, 42);
        try {
            access();
        } catch (const platform::doubles::ProgramExit&) {
            return testing_support::read_file(temp.path() / "ErrorLog.txt");
        }
        return {};
    }

    testing_support::TempDir temp;
    testing_support::TestServices services = testing_support::install_test_services(temp);
};

constexpr const char* error_9_report = "-End On Line\r\n9\r\n41\r\n42\r\n1\r\n";

TEST_F(NumberArrays, CapacityRoundsUpToEightsAndSmallArraysStayInline) {
    for (auto [d1, d2, capacity, inline_store] :
         {std::tuple{5.0, 0.0, 8, true}, {0.0, 0.0, 8, true}, {8.0, 0.0, 16, true}, {15.0, 0.0, 16, true},
          {16.0, 0.0, 24, false}, {20.0, 0.0, 24, false}, {4.0, 5.0, 24, false}}) {
        rt::NumberArray array;
        rt::array_dim(array, d1, d2);
        EXPECT_EQ(array.capacity, capacity) << d1 << "x" << d2;
        EXPECT_EQ(array.uses_inline_store(), inline_store) << d1 << "x" << d2;
    }

    // A large enough store is reused, and cleared.
    rt::NumberArray array;
    rt::array_dim(array, 40);
    const double* store = array.data;
    rt::array_element(array, 3) = 1;
    rt::array_dim(array, 10);
    EXPECT_EQ(array.data, store);
    EXPECT_EQ(array.capacity, 48);
    EXPECT_EQ(rt::array_element(array, 3), 0);
}

TEST_F(NumberArrays, ShapeStridesAndElementAddresses) {
    rt::NumberArray array;
    rt::array_dim(array, 3, 4, 2);
    EXPECT_EQ(array.dim_count, 3);
    EXPECT_EQ(std::tie(array.stride1, array.stride2, array.stride3), std::make_tuple(3, 12, 24));
    EXPECT_EQ(&rt::array_element(array, 2, 3, 1), array.data + 2 + 3 * 3 + 12 * 1);
    // Indices are truncated toward zero.
    EXPECT_EQ(&rt::array_element(array, 1.9, 0.5, -0.5), array.data + 1);
}

TEST_F(NumberArrays, IndexOutsideTheArrayEndsTheProgramWithError9) {
    rt::NumberArray five, grid, never_dimensioned, empty;
    rt::array_dim(five, 5);
    rt::array_dim(grid, 3, 4);
    rt::array_dim(empty, 0);
    EXPECT_EQ(empty.dim_count, 0);
    const std::vector<std::function<void()>> failing{
        [&] { rt::array_element(five, 5); },
        [&] { rt::array_element(five, -1); },
        [&] { rt::array_element(grid, 0, 4); },  // a later index reaching its dimension
        [&] { rt::array_element(never_dimensioned, 0); },
        [&] { rt::array_element(empty, 0); },
        [&] { rt::array_element(five, 1, 7); },  // a dimension not given, outside the store
        [&] { rt::array_element(five, std::numeric_limits<double>::quiet_NaN()); },
        [&] { rt::array_element(five, 1e300); },
    };
    for (std::size_t i = 0; i < failing.size(); ++i) EXPECT_EQ(report_after(failing[i]), error_9_report) << i;
    EXPECT_EQ(report_after([&] { rt::array_element(five, 4) = 1; }), "");
}

TEST_F(NumberArrays, ArrayTooLargeForAnyStoreEndsTheProgramWithError7) {
    rt::NumberArray array;
    rt::array_dim(array, 3);
    rt::array_element(array, 2) = 5;
    EXPECT_EQ(report_after([&] { rt::array_dim(array, 3e9); }), "-End On Line\r\n7\r\n41\r\n42\r\n1\r\n");
    EXPECT_EQ(rt::array_element(array, 2), 5);  // left as it was
}

TEST_F(NumberArrays, RedimKeepsTheCommonElementsAndZeroesTheRest) {
    rt::NumberArray array;
    rt::array_dim(array, 3);
    for (int i = 0; i < 3; ++i) rt::array_element(array, i) = i + 1;
    rt::array_redim(array, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rt::array_element(array, i), i < 3 ? i + 1 : 0) << i;

    rt::NumberArray grid;  // the element at (i, j) stays at (i, j)
    rt::array_dim(grid, 2, 3);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 2; ++i) rt::array_element(grid, i, j) = 10 * i + j;
    rt::array_redim(grid, 3, 2);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(rt::array_element(grid, i, j), i < 2 ? 10 * i + j : 0);

    rt::NumberArray large;  // from an own store back to the inline one
    rt::array_dim(large, 20);
    rt::array_element(large, 4) = 9;
    rt::array_redim(large, 5);
    EXPECT_TRUE(large.uses_inline_store());
    EXPECT_EQ(rt::array_element(large, 4), 9);
}

TEST_F(NumberArrays, CopiesAreIndependentAndMovesKeepInlineDataWithTheObject) {
    for (double size : {4.0, 30.0}) {
        rt::NumberArray source;
        rt::array_dim(source, size);
        rt::array_element(source, 3) = 7;
        rt::NumberArray copy = source;
        rt::array_element(source, 3) = 8;
        EXPECT_EQ(rt::array_element(copy, 3), 7);

        const rt::NumberArray moved = std::move(copy);
        EXPECT_TRUE(moved.data == moved.inline_store.data() || moved.data == moved.owned_store.get());
        EXPECT_EQ(rt::array_element(moved, 3), 7);

        rt::NumberArray target;
        rt::array_dim(target, 100);
        rt::array_copy(target, source);
        EXPECT_EQ(target.dim1, source.dim1);
        EXPECT_EQ(rt::array_element(target, 3), 8);
    }
}

}  // namespace
