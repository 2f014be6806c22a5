#pragma once
// The game's arrays of numbers: up to four dimensions, 0-based, elements in
// a small inline store or a store of their own.
//
// Memory layout on this 64-bit system, for debugger front-ends that read an
// array through its variable descriptor (type 2):
//     0  data          double*     the elements; null while never dimensioned
//     8  inline_store  double[16]  used as `data` for a capacity of 16 or less
//   136  stride1       int32       element distance of the 2nd index: dim1
//   140  stride2       int32       of the 3rd index: dim1 * dim2
//   144  stride3       int32       of the 4th index: dim1 * dim2 * dim3
//   148  dim1 .. dim4  int32 x 4   the dimensions as given (0: not used)
//   164  dim_count     int32       number of used dimensions
//   168  capacity      int32       allocated elements
//   176  owned_store   the runtime's ownership of a store of its own; not part of the record
// Element (i1, i2, i3, i4) is data[i1 + stride1*i2 + stride2*i3 + stride3*i4].
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace rt {

inline constexpr std::int32_t inline_store_elements = 16;

// Sole owner of a heap store of elements. A class of our own rather than a
// library smart pointer because the record below must stay standard-layout
// on every compiler, and no library guarantees that for its smart pointers.
class ElementStore {
public:
    ElementStore() = default;
    // An empty store when the memory cannot be had.
    static ElementStore allocate(std::int32_t elements);
    ElementStore(ElementStore&& other) noexcept : elements_(std::exchange(other.elements_, nullptr)) {}
    ElementStore& operator=(ElementStore&& other) noexcept {
        if (this != &other) {
            reset();
            elements_ = std::exchange(other.elements_, nullptr);
        }
        return *this;
    }
    ElementStore(const ElementStore&) = delete;
    ElementStore& operator=(const ElementStore&) = delete;
    ~ElementStore() { reset(); }

    double* get() const { return elements_; }
    explicit operator bool() const { return elements_ != nullptr; }
    void reset() {
        delete[] elements_;
        elements_ = nullptr;
    }

private:
    double* elements_ = nullptr;
};

// The fields are public because they are the record a debugger reads; only
// the functions below change them.
struct NumberArray {
    double* data = nullptr;
    std::array<double, inline_store_elements> inline_store{};
    std::int32_t stride1 = 0;
    std::int32_t stride2 = 0;
    std::int32_t stride3 = 0;
    std::int32_t dim1 = 0;
    std::int32_t dim2 = 0;
    std::int32_t dim3 = 0;
    std::int32_t dim4 = 0;
    std::int32_t dim_count = 0;
    std::int32_t capacity = 0;
    ElementStore owned_store;

    constexpr NumberArray() = default;
    NumberArray(const NumberArray& other);
    NumberArray& operator=(const NumberArray& other);
    NumberArray(NumberArray&& other) noexcept;
    NumberArray& operator=(NumberArray&& other) noexcept;
    ~NumberArray() = default;

    bool uses_inline_store() const { return data == inline_store.data(); }
};

static_assert(std::is_standard_layout_v<NumberArray>);
static_assert(offsetof(NumberArray, inline_store) == 8 && offsetof(NumberArray, stride1) == 136);
static_assert(offsetof(NumberArray, dim1) == 148 && offsetof(NumberArray, dim_count) == 164);
static_assert(offsetof(NumberArray, capacity) == 168);

// Dimensions the array; every element becomes 0. A d1 below 1 gives an empty
// array. Ends the program with error 7 when no store can be had.
void array_dim(NumberArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
// New dimensions keeping the elements whose indices fit both shapes; the
// others are 0.
void array_redim(NumberArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
// The target gets the source's dimensions and a copy of its elements.
void array_copy(NumberArray& target, const NumberArray& source);

// Checked element access with the game's truncated indices. Ends the
// program with error 9 for a negative index, an array never dimensioned, i1
// not below dim1, or a later index reaching its non-zero dimension.
double& array_element(NumberArray& array, double i1, double i2 = 0, double i3 = 0, double i4 = 0);
const double& array_element(const NumberArray& array, double i1, double i2 = 0, double i3 = 0, double i4 = 0);

}  // namespace rt
