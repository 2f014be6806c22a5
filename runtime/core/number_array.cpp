#include "runtime/core/number_array.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

#include "runtime/core/run_errors.h"

namespace rt {
namespace {

// Running out of room for an array shares the number of the runtime's other limits.
constexpr int error_no_store = error_index_beyond_limit;

// The capacity must stay an int32 after rounding up to the next multiple of 8.
constexpr double max_elements = std::numeric_limits<std::int32_t>::max() - 8;

// Truncated toward zero and held inside int32 (NaN counts as 0).
std::int32_t truncated(double value) {
    if (std::isnan(value)) return 0;
    const double clamped = std::clamp(std::trunc(value), double{std::numeric_limits<std::int32_t>::min()},
                                      double{std::numeric_limits<std::int32_t>::max()});
    return static_cast<std::int32_t>(clamped);
}

// Elements a dimension contributes to the size: the first below 1 empties
// the array, the others below 1 count as 1.
double first_extent(double d) { return d >= 1.0 ? d : 0.0; }
double later_extent(double d) { return d >= 1.0 ? d : 1.0; }

}  // namespace

ElementStore ElementStore::allocate(std::int32_t elements) {
    ElementStore store;
    store.elements_ = new (std::nothrow) double[static_cast<std::size_t>(elements)];
    return store;
}

namespace {

// Loops bound of a stored dimension when copying between shapes.
std::int32_t first_count(std::int32_t dim) { return std::max(dim, 0); }
std::int32_t later_count(std::int32_t dim) { return dim >= 1 ? dim : 1; }

void set_shape(NumberArray& array, double d1, double d2, double d3, double d4) {
    array.dim1 = truncated(d1);
    array.dim2 = truncated(d2);
    array.dim3 = truncated(d3);
    array.dim4 = truncated(d4);
    array.dim_count = array.dim4 != 0 ? 4 : array.dim3 != 0 ? 3 : array.dim2 != 0 ? 2 : array.dim1 != 0 ? 1 : 0;
    // Strides of unusable (negative) shapes are never used for access; saturate instead of overflowing.
    const double dim1 = array.dim1;
    const double dim12 = dim1 * array.dim2;
    array.stride1 = array.dim1;
    array.stride2 = truncated(dim12);
    array.stride3 = truncated(dim12 * array.dim3);
}

[[noreturn]] void index_error() { raise_runtime_error(error_array_index); }

std::size_t element_offset(const NumberArray& array, double i1, double i2, double i3, double i4) {
    if (array.data == nullptr) index_error();
    const std::array<double, 4> index{std::trunc(i1), std::trunc(i2), std::trunc(i3), std::trunc(i4)};
    for (double i : index) {
        if (!(i >= 0.0)) index_error();  // negative or NaN
    }
    if (index[0] >= array.dim1) index_error();
    const std::array<std::int32_t, 3> later{array.dim2, array.dim3, array.dim4};
    for (std::size_t k = 0; k < later.size(); ++k) {
        if (later[k] != 0 && index[k + 1] >= later[k]) index_error();
    }
    // An index into a dimension that was not given is not limited by the
    // rules above; the element must still lie inside the store.
    const double offset = index[0] + static_cast<double>(array.stride1) * index[1] + static_cast<double>(array.stride2) * index[2] +
                          static_cast<double>(array.stride3) * index[3];
    if (!(offset >= 0.0 && offset < array.capacity)) index_error();
    return static_cast<std::size_t>(offset);
}

// Takes over the other array's store and fields; the other is left never dimensioned.
void take_over(NumberArray& target, NumberArray& source) {
    target.inline_store = source.inline_store;
    target.owned_store = std::move(source.owned_store);
    target.data = source.uses_inline_store() ? target.inline_store.data() : target.owned_store.get();
    target.stride1 = source.stride1;
    target.stride2 = source.stride2;
    target.stride3 = source.stride3;
    target.dim1 = source.dim1;
    target.dim2 = source.dim2;
    target.dim3 = source.dim3;
    target.dim4 = source.dim4;
    target.dim_count = source.dim_count;
    target.capacity = source.capacity;
    source.data = nullptr;
    source.dim1 = source.dim2 = source.dim3 = source.dim4 = 0;
    source.stride1 = source.stride2 = source.stride3 = 0;
    source.dim_count = source.capacity = 0;
}

}  // namespace

NumberArray::NumberArray(const NumberArray& other) { array_copy(*this, other); }

NumberArray& NumberArray::operator=(const NumberArray& other) {
    array_copy(*this, other);
    return *this;
}

NumberArray::NumberArray(NumberArray&& other) noexcept { take_over(*this, other); }

NumberArray& NumberArray::operator=(NumberArray&& other) noexcept {
    if (this != &other) take_over(*this, other);
    return *this;
}

void array_dim(NumberArray& array, double d1, double d2, double d3, double d4) {
    const double size = first_extent(d1) * later_extent(d2) * later_extent(d3) * later_extent(d4);
    if (!(size <= max_elements)) raise_runtime_error(error_no_store);
    const auto elements = static_cast<std::int32_t>(size);
    const std::int32_t capacity = elements / 8 * 8 + 8;

    const bool reuse = capacity <= array.capacity && d1 >= 1.0;
    if (!reuse) {
        if (capacity <= inline_store_elements) {
            array.owned_store.reset();
            array.data = array.inline_store.data();
        } else {
            auto store = ElementStore::allocate(capacity);
            if (!store) raise_runtime_error(error_no_store);
            array.owned_store = std::move(store);
            array.data = array.owned_store.get();
        }
        array.capacity = capacity;
    }
    std::fill_n(array.data, array.capacity, 0.0);
    set_shape(array, d1, d2, d3, d4);
}

void array_redim(NumberArray& array, double d1, double d2, double d3, double d4) {
    NumberArray resized;
    array_dim(resized, d1, d2, d3, d4);
    if (array.data != nullptr) {
        const std::int32_t n1 = std::min(first_count(array.dim1), first_count(resized.dim1));
        const std::int32_t n2 = std::min(later_count(array.dim2), later_count(resized.dim2));
        const std::int32_t n3 = std::min(later_count(array.dim3), later_count(resized.dim3));
        const std::int32_t n4 = std::min(later_count(array.dim4), later_count(resized.dim4));
        // Shapes with a negative later dimension alias or step backwards; only
        // elements inside both stores are carried over.
        const auto offset = [](const NumberArray& a, std::int64_t i1, std::int64_t i2, std::int64_t i3,
                               std::int64_t i4) -> std::optional<std::size_t> {
            const std::int64_t at = i1 + a.stride1 * i2 + a.stride2 * i3 + a.stride3 * i4;
            if (at < 0 || at >= a.capacity) return std::nullopt;
            return static_cast<std::size_t>(at);
        };
        for (std::int32_t i4 = 0; i4 < n4; ++i4)
            for (std::int32_t i3 = 0; i3 < n3; ++i3)
                for (std::int32_t i2 = 0; i2 < n2; ++i2)
                    for (std::int32_t i1 = 0; i1 < n1; ++i1) {
                        const auto from = offset(array, i1, i2, i3, i4);
                        const auto to = offset(resized, i1, i2, i3, i4);
                        if (from && to) resized.data[*to] = array.data[*from];
                    }
    }
    array = std::move(resized);
}

void array_copy(NumberArray& target, const NumberArray& source) {
    if (&target == &source) return;
    if (source.data == nullptr) {
        target = NumberArray{};
        return;
    }
    array_dim(target, source.dim1, source.dim2, source.dim3, source.dim4);
    std::copy_n(source.data, std::min(target.capacity, source.capacity), target.data);
}

double& array_element(NumberArray& array, double i1, double i2, double i3, double i4) {
    return array.data[element_offset(array, i1, i2, i3, i4)];
}

const double& array_element(const NumberArray& array, double i1, double i2, double i3, double i4) {
    return array.data[element_offset(array, i1, i2, i3, i4)];
}

}  // namespace rt
