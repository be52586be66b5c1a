#include "RandomSource.h"

#include "BoundedDraws.h"

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

std::optional<std::time_t> RandomSource::Reseed() {
    if (m_pool != nullptr) {
        return std::nullopt;
    }
    const std::time_t second = seedSecond();
    // Reduced modulo 2^32, as the classic runtime's seed is.
    seed(static_cast<std::uint32_t>(second));
    return second;
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
    // r = (r * 32768 + draw) mod width. Below 2^49 the sum fits 64 bits.
    int draws = 1;
    while (draws < 5 && (width == 0 || (width - 1) >> (15 * draws) != 0)) {
        ++draws;
    }
    constexpr std::uint64_t kNarrow = std::uint64_t{1} << 49;
    std::uint64_t r = 0;
    for (int i = 0; i < draws; ++i) {
        const auto d = static_cast<std::uint64_t>(draw());
        if (width == 0) {
            r = (r << 15) + d;
        } else if (width <= kNarrow) {
            // A division only where the sum reaches the width.
            r = (r << 15) + d;
            r = r < width ? r : r % width;
        } else {
            r = static_cast<std::uint64_t>((Uint128{r} << 15 | d) % width);
        }
    }
    return r;
}

std::int64_t RandomSource::offsetFrom(std::int64_t low, std::uint64_t offset) {
    // Two's-complement wrap gives low + offset without signed overflow.
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + offset);
}

}  // namespace ovantis
