#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace rt {

// Bob Jenkins' ISAAC generator: a 256-word state, golden-ratio
// initialisation with the mix function, and the generation step that turns
// the state into 256 result words per pass.
class Isaac {
public:
    static constexpr std::size_t word_count = 256;
    using Block = std::array<std::uint32_t, word_count>;

    // Runs both initialisation passes over the seed and then one generation
    // pass, whose words are results() until the next generate().
    explicit Isaac(const Block& seed = Block{}) noexcept;

    // One full generation pass over the state.
    void generate() noexcept;
    // The words of the latest pass, in the order the pass produced them.
    const Block& results() const noexcept { return results_; }

private:
    Block memory_{};
    Block results_{};
    std::uint32_t accumulator_ = 0;
    std::uint32_t last_result_ = 0;
    std::uint32_t counter_ = 0;
};

}  // namespace rt
