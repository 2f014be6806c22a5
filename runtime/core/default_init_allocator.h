#pragma once
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace rt {

// An allocator whose resize leaves new elements uninitialised: for buffers
// that a decoder or a copy overwrites whole, where zeroing them first would
// touch every byte twice.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() noexcept = default;
    template <typename U>
    DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        std::construct_at(place, std::forward<Args>(args)...);
    }
};

// Bytes of a picture or texture buffer, filled whole by whoever sizes it.
using ByteBuffer = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

}  // namespace rt
