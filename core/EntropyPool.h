#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace ovantis {

// Fills size bytes with key material from the operating system, or throws
// (std::system_error): a key is never made weaker. The front ends hand in
// the platform layer's one, so the core itself makes no system call.
using KeySource = std::function<void(std::uint8_t* data, std::size_t size)>;

// Unpredictable 32-bit words: a ChaCha20 keystream keyed once from a key
// source, so a draw costs a few cycles, not a system call.
class EntropyPool {
  public:
    using Key = std::array<std::uint32_t, 8>;
    using Nonce = std::array<std::uint32_t, 3>;
    // Key and nonce, drawn in one request.
    static constexpr std::size_t kKeyBytes = 4 * (8 + 3);

    explicit EntropyPool(const KeySource& keys);
    // A fixed key, for checking the keystream against published vectors.
    EntropyPool(const Key& key, const Nonce& nonce, std::uint32_t counter);

    // A 15-bit draw; each word serves two.
    int nextDraw() {
        if (m_nextHalf == kHalves) {
            refill();
        }
        const std::uint32_t word = m_words[m_nextHalf >> 1];
        const auto shift = static_cast<unsigned>(17 * (m_nextHalf++ & 1));
        return static_cast<int>((word >> shift) & 0x7FFFu);
    }
    // A whole unused word (skips the rest of a half-used one).
    std::uint32_t next32() {
        m_nextHalf += m_nextHalf & 1;
        if (m_nextHalf == kHalves) {
            refill();
        }
        const std::uint32_t word = m_words[m_nextHalf >> 1];
        m_nextHalf += 2;
        return word;
    }
    // Two whole words, the first one high; one bounds check while both are there.
    std::uint64_t next64() {
        const std::size_t at = m_nextHalf + (m_nextHalf & 1);
        if (at + 4 <= kHalves) {
            m_nextHalf = at + 4;
            return std::uint64_t{m_words[at >> 1]} << 32 | m_words[(at >> 1) + 1];
        }
        const std::uint64_t high = next32();
        return (high << 32) | next32();
    }

    // Moves to the start of one of 2^64 independent streams under the same
    // key, so stretches of a run can be drawn apart and in any order.
    void restart(std::uint64_t stream);

  private:
    static constexpr std::size_t kBlocks = 16;

    void start(const Key& key, const Nonce& nonce, std::uint32_t counter);
    void refill();

    std::array<std::uint32_t, 16> m_input{};
    std::array<std::uint32_t, 16 * kBlocks> m_words{};
    static constexpr std::size_t kHalves = 2 * 16 * kBlocks;
    // Position in half-words; every word is handed out once only.
    std::size_t m_nextHalf = kHalves;
};

}  // namespace ovantis
