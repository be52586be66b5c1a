#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace ovantis {

// Operating-system randomness, fetched in blocks so a draw is not a system call.
class EntropyPool {
  public:
    std::uint32_t next32() {
        if (m_next == m_words.size()) {
            refill();
        }
        return m_words[m_next++];
    }
    std::uint64_t next64() {
        const std::uint64_t high = next32();
        return (high << 32) | next32();
    }

  private:
    void refill();

    std::random_device m_device;
    std::array<std::uint32_t, 1024> m_words{};
    std::size_t m_next = 1024;
};

}  // namespace ovantis
