// Freed picture buffers leave the process instead of staying resident in the
// heap: a playthrough would otherwise peak at nearly twice what it holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <thread>
#include <vector>

#include "platform/memory.h"

namespace {

long resident_kb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

std::unique_ptr<std::uint8_t[]> filled_block(std::size_t bytes) {
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    std::memset(block.get(), 1, bytes);
    asm volatile("" : : "r"(block.get()) : "memory");  // the writes must happen
    return block;
}

// Each case fills memory, keeps something small allocated after it (so the
// heap's top stays in use) and frees the rest.
long resident_growth_after_freeing(std::size_t block_bytes, int blocks, bool return_free_memory) {
    const long before = resident_kb();
    std::vector<std::unique_ptr<std::uint8_t[]>> held;
    for (int i = 0; i < blocks; ++i) held.push_back(filled_block(block_bytes));
    const auto pin = filled_block(64);
    EXPECT_GT(resident_kb() - before, static_cast<long>(block_bytes * blocks / 1024 * 9 / 10));
    held.clear();
    if (return_free_memory) platform::return_free_memory();
    return resident_kb() - before;
}

TEST(ProcessMemory, FreedBuffersLeaveTheProcess) {
    platform::configure_heap_for_pictures();
    constexpr std::size_t screen_texture_bytes = 1024 * 1024 * 4;
    // glibc's own rule would raise its mapping threshold after this free and
    // put the next ones in the heap, where they would stay after freeing.
    filled_block(screen_texture_bytes).reset();
    {
        const std::size_t mapped_before = mallinfo2().hblkhd;
        std::vector<std::unique_ptr<std::uint8_t[]>> held;
        for (int i = 0; i < 12; ++i) held.push_back(filled_block(screen_texture_bytes));
        EXPECT_GE(mallinfo2().hblkhd - mapped_before, 12 * screen_texture_bytes) << "not mappings of their own";
    }
    EXPECT_LT(resident_growth_after_freeing(screen_texture_bytes, 12, false), 8000) << "KB still resident of 49,000";

    // A picture's buffers live in the heap for reuse; handing its free pages
    // back is the explicit step after pictures change.
    EXPECT_LT(resident_growth_after_freeing(640 * 480 * 4, 40, true), 8000) << "KB still resident of 48,000";
}

// A picture decoded on the read-ahead thread is freed on the game thread;
// the game thread's next picture-sized buffer must be made from that space.
TEST(ProcessMemory, SpaceFreedFromAnotherThreadIsReused) {
    platform::configure_heap_for_pictures();
    constexpr std::size_t picture_bytes = 640 * 480 * 4;
    std::unique_ptr<std::uint8_t[]> decoded;
    std::thread([&] { decoded = filled_block(picture_bytes); }).join();
    const auto pin = filled_block(64);  // the freed block is not the heap's top
    const std::uint8_t* const freed_at = decoded.get();
    decoded.reset();
    const auto next = filled_block(picture_bytes);
    const bool overlaps = next.get() < freed_at + picture_bytes && freed_at < next.get() + picture_bytes;
    EXPECT_TRUE(overlaps) << "freed at " << static_cast<const void*>(freed_at) << ", next at "
                          << static_cast<const void*>(next.get());
}

}  // namespace
