#pragma once
#include <array>
#include <cstddef>
#include <memory>

namespace rt {

// A fixed number of numbered slots whose storage is made a block at a time,
// on the first write into the block. Games use a few slot ranges out of
// tens of thousands, so the rest costs neither start-up time nor memory.
template <typename Slot, std::size_t Count, std::size_t BlockSize = 256>
class SlotTable {
    static_assert(Count % BlockSize == 0);

public:
    static constexpr std::size_t size() { return Count; }

    Slot& operator[](std::size_t index) {
        std::unique_ptr<Block>& block = blocks_[index / BlockSize];
        if (!block) block = std::make_unique<Block>();
        return (*block)[index % BlockSize];
    }
    // Reading a slot never written gives an empty one without making its block.
    const Slot& operator[](std::size_t index) const {
        const std::unique_ptr<Block>& block = blocks_[index / BlockSize];
        return block ? (*block)[index % BlockSize] : empty_slot();
    }

    // Calls visit(index, slot) for every slot of the blocks made so far.
    template <typename Visit>
    void for_each_made(Visit visit) {
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            if (!blocks_[b]) continue;
            for (std::size_t i = 0; i < BlockSize; ++i) visit(b * BlockSize + i, (*blocks_[b])[i]);
        }
    }

private:
    using Block = std::array<Slot, BlockSize>;
    static const Slot& empty_slot() {
        static const Slot empty{};
        return empty;
    }
    std::array<std::unique_ptr<Block>, Count / BlockSize> blocks_{};
};

}  // namespace rt
