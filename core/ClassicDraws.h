#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "RandomSource.h"

namespace ovantis {

// The classic source's next kSize draws, made a block at a time: the LCG's
// jump-ahead (s_j = a_j * s_0 + c_j) makes every state of a block from the
// first, so no multiply waits on the one before. Bit masks over the block let
// a reader skip to the next draw that passes a test without a branch per draw.
class ClassicDraws {
  public:
    static constexpr int kSize = 1024;
    static constexpr int kWords = kSize / 64;
    // The answer of next() when no draw from there on passes.
    static constexpr int kNone = kSize;

    // Draws 0 .. kSize-1 are the kSize steps after state.
    void fill(std::uint32_t state);

    int draw(int at) const { return m_draws[at]; }
    // The state after draw at, for carrying on past it.
    std::uint32_t stateAt(int at) const;

    // A mask over the block, bit j set where draw j passes.
    using Mask = std::array<std::uint64_t, kWords>;
    void evenDraws(Mask& mask) const;
    void oddDraws(Mask& mask) const;
    // Where the draw is least or more, least in 0 .. 2^15.
    void drawsFrom(int least, Mask& mask) const;

    // The first set bit at or after from, or kNone.
    static int next(const Mask& mask, int from) {
        int word = from / 64;
        if (word >= kWords) {
            return kNone;
        }
        std::uint64_t bits = mask[word] & (~std::uint64_t{0} << (from % 64));
        while (bits == 0) {
            if (++word == kWords) {
                return kNone;
            }
            bits = mask[word];
        }
        return word * 64 + std::countr_zero(bits);
    }

  private:
    std::uint32_t m_first = 0;
    std::array<std::uint16_t, kSize> m_draws{};
};

}  // namespace ovantis
