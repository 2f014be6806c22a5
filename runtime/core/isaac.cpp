#include "runtime/core/isaac.h"

namespace rt {
namespace {

constexpr std::uint32_t golden_ratio = 0x9e3779b9u;

using Mix = std::array<std::uint32_t, 8>;

void mix(Mix& m) noexcept {
    auto& [a, b, c, d, e, f, g, h] = m;
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
}

// One initialisation pass: fold 8 words of the source into the mix at a
// time and store the mixed words in the state.
void scramble_into(Mix& m, const Isaac::Block& source, Isaac::Block& memory) noexcept {
    for (std::size_t i = 0; i < Isaac::word_count; i += 8) {
        for (std::size_t j = 0; j < 8; ++j) m[j] += source[i + j];
        mix(m);
        for (std::size_t j = 0; j < 8; ++j) memory[i + j] = m[j];
    }
}

}  // namespace

Isaac::Isaac(const Block& seed) noexcept {
    Mix m;
    m.fill(golden_ratio);
    for (int round = 0; round < 4; ++round) mix(m);
    // The second pass lets every seed word affect every state word.
    scramble_into(m, seed, memory_);
    const Block first_pass = memory_;
    scramble_into(m, first_pass, memory_);
    generate();
}

void Isaac::generate() noexcept {
    constexpr std::size_t half = word_count / 2;
    last_result_ += ++counter_;
    for (std::size_t i = 0; i < word_count; ++i) {
        const std::uint32_t x = memory_[i];
        switch (i % 4) {
        case 0: accumulator_ ^= accumulator_ << 13; break;
        case 1: accumulator_ ^= accumulator_ >> 6; break;
        case 2: accumulator_ ^= accumulator_ << 2; break;
        default: accumulator_ ^= accumulator_ >> 16; break;
        }
        accumulator_ += memory_[(i + half) % word_count];
        const std::uint32_t y = memory_[(x >> 2) % word_count] + accumulator_ + last_result_;
        memory_[i] = y;
        last_result_ = memory_[(y >> 10) % word_count] + x;
        results_[i] = last_result_;
    }
}

}  // namespace rt
