#include "runtime/core/number_array.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "tests/support/headless.h"

namespace {

using platform::doubles::ProgramExit;

class NumberArrays : public ::testing::Test {
protected:
    void SetUp() override {
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 1;
    }

    // Runs `access` at a known source position and returns the end report it leaves.
    std::string report_after(const std::function<void()>& access) {
        rt::set_source_position(1, 42);
        try {
            access();
        } catch (const ProgramExit& exit) {
            EXPECT_EQ(exit.code, 0);
            return testing_support::read_file(temp.path() / "ErrorLog.txt");
        }
        ADD_FAILURE() << "the program went on";
        return {};
    }

    testing_support::TempDir temp;
    testing_support::TestServices services = testing_support::install_test_services(temp);
};

constexpr const char* error_9_report = "-End On Line\r\n9\r\n41\r\n42\r\n1\r\n";

TEST_F(NumberArrays, CapacityRoundsUpToEightsAndSmallArraysStayInline) {
    struct Case {
        double d1, d2;
        int capacity;
        bool inline_store;
    };
    for (const Case c : {Case{5, 0, 8, true}, Case{0, 0, 8, true}, Case{7, 0, 8, true}, Case{8, 0, 16, true},
                         Case{15, 0, 16, true}, Case{16, 0, 24, false}, Case{20, 0, 24, false},
                         Case{4, 5, 24, false}, Case{2.9, 0, 8, true}}) {
        rt::NumberArray array;
        rt::array_dim(array, c.d1, c.d2);
        EXPECT_EQ(array.capacity, c.capacity) << c.d1 << "x" << c.d2;
        EXPECT_EQ(array.uses_inline_store(), c.inline_store) << c.d1 << "x" << c.d2;
        for (int i = 0; i < array.capacity; ++i) EXPECT_EQ(array.data[i], 0.0);
    }
}

TEST_F(NumberArrays, ShapeStridesAndElementAddresses) {
    rt::NumberArray array;
    rt::array_dim(array, 3, 4, 2);
    EXPECT_EQ(array.dim_count, 3);
    EXPECT_EQ(array.stride1, 3);
    EXPECT_EQ(array.stride2, 12);
    EXPECT_EQ(array.stride3, 24);
    std::set<const double*> addresses;
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 3; ++i) addresses.insert(&rt::array_element(array, i, j, k));
    EXPECT_EQ(addresses.size(), 24u);
    EXPECT_EQ(&rt::array_element(array, 2, 3, 1), array.data + 2 + 3 * 3 + 12 * 1);
    // Indices are truncated toward zero, as every game number used as an index.
    EXPECT_EQ(&rt::array_element(array, 1.9, 0.5, -0.5), array.data + 1);

    rt::NumberArray four;
    rt::array_dim(four, 2, 2, 2, 2);
    EXPECT_EQ(four.dim_count, 4);
    EXPECT_EQ(four.stride3, 8);
    EXPECT_EQ(&rt::array_element(four, 1, 1, 1, 1), four.data + 15);
}

TEST_F(NumberArrays, IndexOutsideTheArrayEndsTheProgramWithError9) {
    rt::NumberArray five;
    rt::array_dim(five, 5);
    EXPECT_EQ(report_after([&] { rt::array_element(five, 5); }), error_9_report);
    std::filesystem::remove(temp.path() / "ErrorLog.txt");
    EXPECT_EQ(report_after([&] { rt::array_element(five, -1); }), error_9_report);

    rt::NumberArray grid;
    rt::array_dim(grid, 3, 4);
    rt::NumberArray never_dimensioned;
    rt::NumberArray empty;
    rt::array_dim(empty, 0);
    EXPECT_EQ(empty.dim_count, 0);
    const std::vector<std::function<void()>> failing{
        [&] { rt::array_element(grid, 0, 4); },             // later index reaching its dimension
        [&] { rt::array_element(grid, 3, 0); },             // first index
        [&] { rt::array_element(never_dimensioned, 0); },
        [&] { rt::array_element(empty, 0); },
        [&] { rt::array_element(five, 1, 7); },             // undeclared dimension, outside the store
        [&] { rt::array_element(five, 0.0 / 0.0); },        // NaN
        [&] { rt::array_element(five, 1e300); },
    };
    for (const auto& access : failing) {
        std::filesystem::remove(temp.path() / "ErrorLog.txt");
        EXPECT_EQ(report_after(access), error_9_report);
    }
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
    EXPECT_EQ(array.dim1, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rt::array_element(array, i), i < 3 ? i + 1 : 0) << i;

    // Per dimension: the element at (i, j) stays at (i, j).
    rt::NumberArray grid;
    rt::array_dim(grid, 2, 3);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 2; ++i) rt::array_element(grid, i, j) = 10 * i + j;
    rt::array_redim(grid, 3, 2);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(rt::array_element(grid, i, j), i < 2 ? 10 * i + j : 0);

    // From an own store back to the inline one, and from nothing.
    rt::NumberArray large;
    rt::array_dim(large, 20);
    rt::array_element(large, 4) = 9;
    rt::array_redim(large, 5);
    EXPECT_TRUE(large.uses_inline_store());
    EXPECT_EQ(rt::array_element(large, 4), 9);
    rt::NumberArray fresh;
    rt::array_redim(fresh, 2);
    EXPECT_EQ(rt::array_element(fresh, 1), 0);
}

TEST_F(NumberArrays, DimReusesALargeEnoughStoreAndClearsIt) {
    rt::NumberArray array;
    rt::array_dim(array, 40);
    const double* store = array.data;
    rt::array_element(array, 3) = 1;
    rt::array_dim(array, 10);
    EXPECT_EQ(array.data, store);
    EXPECT_EQ(array.capacity, 48);
    EXPECT_EQ(rt::array_element(array, 3), 0);
    rt::array_dim(array, 0);  // emptying gives up the own store
    EXPECT_TRUE(array.uses_inline_store());
}

TEST_F(NumberArrays, CopiesAreIndependentAndMovesKeepInlineDataWithTheObject) {
    for (double size : {4.0, 30.0}) {
        rt::NumberArray source;
        rt::array_dim(source, size);
        rt::array_element(source, 3) = 7;
        rt::NumberArray copy = source;
        rt::array_element(source, 3) = 8;
        EXPECT_EQ(rt::array_element(copy, 3), 7);
        EXPECT_EQ(copy.dim1, source.dim1);
        EXPECT_NE(copy.data, source.data);

        rt::NumberArray moved = std::move(copy);
        EXPECT_EQ(rt::array_element(moved, 3), 7);
        EXPECT_TRUE(moved.data == moved.inline_store.data() || moved.data == moved.owned_store.get());
        EXPECT_EQ(copy.data, nullptr);

        rt::NumberArray target;
        rt::array_dim(target, 100);
        rt::array_copy(target, source);
        EXPECT_EQ(target.dim1, source.dim1);
        EXPECT_EQ(rt::array_element(target, 3), 8);
        rt::array_copy(target, rt::NumberArray{});
        EXPECT_EQ(target.data, nullptr);
    }
}

}  // namespace
