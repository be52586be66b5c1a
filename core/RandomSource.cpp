#include "RandomSource.h"

namespace ovantis {

RandomSource::RandomSource(Kind kind, Clock clock, KeySource keys)
    : m_clock(clock ? std::move(clock) : Clock([] { return std::time(nullptr); })),
      m_keys(std::move(keys)) {
    setKind(kind);
}

RandomSource::RandomSource(std::unique_ptr<EntropyPool> pool, Clock clock)
    : RandomSource(Kind::Classic, std::move(clock)) {
    m_pool = std::move(pool);
}

RandomSource::~RandomSource() = default;

void RandomSource::setKind(Kind kind) {
    if (kind == Kind::Classic) {
        m_pool.reset();
    } else if (m_pool == nullptr) {
        m_pool = std::make_unique<EntropyPool>(m_keys);
    }
}

RandomSource::Mark RandomSource::mark() const {
    Mark mark{m_state, {}};
    if (m_pool != nullptr) {
        mark.pool = *m_pool;
    }
    return mark;
}

void RandomSource::rewind(const Mark& mark) {
    m_state = mark.state;
    if (m_pool != nullptr && mark.pool) {
        *m_pool = *mark.pool;
    }
}

void RandomSource::Reseed() {
    if (m_pool == nullptr) {
        // Reduced modulo 2^32, as the classic runtime's seed is.
        seed(static_cast<std::uint32_t>(m_clock()));
    }
}

// Offset in [0, width), where width 0 stands for the full 2^64.
std::uint64_t RandomSource::wideOffset(std::uint64_t width) {
    if (m_pool != nullptr) {
        // Reject the short top slice of the 64-bit space, then reduce.
        std::uint64_t value = m_pool->next64();
        if (width == 0) {
            return value;
        }
        const std::uint64_t threshold = (0 - width) % width;
        while (value < threshold) {
            value = m_pool->next64();
        }
        return value % width;
    }
    // Fold k 15-bit draws, k the least with 2^(15k) >= width, as
    // r = (r * 32768 + draw) mod width. Doubling step by step keeps every
    // intermediate below 2^64.
    int draws = 1;
    while (draws < 5 && (width == 0 || (width - 1) >> (15 * draws) != 0)) {
        ++draws;
    }
    std::uint64_t r = 0;
    for (int i = 0; i < draws; ++i) {
        for (int bit = 0; bit < 15; ++bit) {
            if (width == 0) {
                r <<= 1;
            } else {
                r = (r >= width - r) ? r - (width - r) : r + r;
            }
        }
        const auto d = static_cast<std::uint64_t>(draw());
        if (width == 0) {
            r += d;
        } else {
            r = (r >= width - d) ? r - (width - d) : r + d;
        }
    }
    return r;
}

std::int64_t RandomSource::offsetFrom(std::int64_t low, std::uint64_t offset) {
    // Two's-complement wrap gives low + offset without signed overflow.
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + offset);
}

}  // namespace ovantis
