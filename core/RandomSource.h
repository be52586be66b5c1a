#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>

#include "EntropyPool.h"

namespace ovantis {

// The one generator all pages draw from. Classic mode is the 15-bit LCG of the
// classic C runtime, so a seed means the same draws on every platform; secure
// mode draws from a pool keyed by the operating system (through keys, which
// the secure kind needs) and reduces ranges without bias.
class RandomSource {
  public:
    using Clock = std::function<std::time_t()>;
    enum class Kind { Classic, Secure };

    static constexpr int kDrawMax = 32767;

    explicit RandomSource(Kind kind = Kind::Classic, Clock clock = {}, KeySource keys = {});
    // A secure source on the given pool, so tests can fix its key.
    explicit RandomSource(std::unique_ptr<EntropyPool> pool, Clock clock = {});
    ~RandomSource();
    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;

    bool secure() const { return m_pool != nullptr; }
    // Switches the kind in place, so whoever holds this source follows; the
    // classic state is kept across a secure spell. Turning secure draws a new
    // key, and throws as the key source does.
    void setKind(Kind kind);

    void seed(std::uint32_t seed) { m_state = seed; }
    // Seeds from the clock's current second, or the pinned seed, and returns
    // it; the secure source ignores it.
    std::optional<std::time_t> Reseed();
    // The clock's current second.
    std::time_t now() const { return m_clock(); }
    // A seed the user chose for every run in place of the current second.
    void pinSeed(std::optional<std::uint32_t> seed) { m_pinned = seed; }
    std::time_t seedSecond() const { return m_pinned ? std::time_t{*m_pinned} : m_clock(); }

    // Lets a refused run leave the generator exactly as it found it.
    std::uint32_t snapshot() const { return m_state; }
    void restore(std::uint32_t state) { m_state = state; }
    // The whole position, secure pool included, so draws can be made again
    // exactly: a long line is checked first and written on a second pass.
    struct Mark {
        std::uint32_t state = 0;
        std::optional<EntropyPool> pool;
    };
    Mark mark() const;
    void rewind(const Mark& mark);
    // The secure pool's stream number stream, from its start; nothing on a
    // classic source.
    void restartStream(std::uint64_t stream) {
        if (m_pool != nullptr) {
            m_pool->restart(stream);
        }
    }

    // The classic generator's step, one and two draws ahead, and a state's
    // draw: lets a hot loop look at the next two draws at once and then keep
    // one or both, instead of waiting on each multiply in turn.
    static constexpr std::uint32_t step(std::uint32_t s) { return s * 214013u + 2531011u; }
    static constexpr std::uint32_t step2(std::uint32_t s) {
        return s * (214013u * 214013u) + (2531011u * 214013u + 2531011u);
    }
    static constexpr int output(std::uint32_t s) { return static_cast<int>((s >> 16) & 0x7FFFu); }

    // 32 fresh bits of the secure source, for makers that split them
    // themselves. A classic source gives them from its draws instead, so a
    // maker that asks at the wrong time gets uniform bits, never a crash.
    std::uint32_t secureWord() { return m_pool != nullptr ? m_pool->next32() : classicWord(); }
    std::uint64_t secureWord64() {
        if (m_pool != nullptr) {
            return m_pool->next64();
        }
        const std::uint64_t high = classicWord();
        return high << 32 | classicWord();
    }

    // One draw in 0..32767.
    int draw() {
        if (m_pool != nullptr) {
            return secureDraw();
        }
        m_state = step(m_state);
        return output(m_state);
    }

    // A range drawn from many times, prepared once: the remainder of a draw by
    // its width is then a multiply, not a division (exact for every draw and
    // width below 2^16, by Lemire's direct remainder).
    struct Range {
        std::int64_t low = 0;
        std::uint64_t width = 1;    // 0 stands for the full 2^64
        std::uint32_t inverse = 0;  // ceil(2^32 / width) mod 2^32, narrow widths only
        std::uint32_t limit = 0;    // the secure source rejects draws from here up
    };
    static constexpr Range prepare(std::int64_t low, std::int64_t high) {
        Range range;
        range.low = low;
        range.width = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1u;
        if (range.width - 1u < 32768u) {
            const std::uint64_t twoTo32 = std::uint64_t{1} << 32;
            range.inverse = static_cast<std::uint32_t>((twoTo32 + range.width - 1) / range.width);
            range.limit = static_cast<std::uint32_t>(32768u - 32768u % range.width);
        }
        return range;
    }

    // A narrow range's offset for a draw below 2^16: the remainder by its
    // width, made by one multiply.
    static constexpr std::uint32_t reduce(const Range& range, std::uint32_t draw) {
        const std::uint32_t scaled = range.inverse * draw;
        return static_cast<std::uint32_t>((std::uint64_t{scaled} * range.width) >> 32);
    }

    // A draw reduced into the range; the secure source first rejects the top
    // draws that would make small offsets likelier.
    std::int64_t RandInRange(const Range& range) {
        if (range.width - 1u < 32768u) {
            auto d = static_cast<std::uint32_t>(draw());
            while (m_pool != nullptr && d >= range.limit) {
                d = static_cast<std::uint32_t>(draw());
            }
            return range.low + static_cast<std::int64_t>(reduce(range, d));
        }
        return offsetFrom(range.low, wideOffset(range.width));
    }

    // An integer in [low, high]; low must not exceed high. Constant bounds
    // fold the preparation away.
    std::int64_t RandInRange(std::int64_t low, std::int64_t high) {
        return RandInRange(prepare(low, high));
    }

  private:
    int secureDraw() { return m_pool->nextDraw(); }
    // 15 + 15 + 2 bits of three classic draws.
    std::uint32_t classicWord() {
        const auto first = static_cast<std::uint32_t>(draw());
        const auto second = static_cast<std::uint32_t>(draw());
        return first << 17 | second << 2 | (static_cast<std::uint32_t>(draw()) & 3u);
    }
    std::uint64_t wideOffset(std::uint64_t width);
    static std::int64_t offsetFrom(std::int64_t low, std::uint64_t offset);

    std::uint32_t m_state = 1;
    Clock m_clock;
    std::optional<std::uint32_t> m_pinned;
    KeySource m_keys;
    std::unique_ptr<EntropyPool> m_pool;
};

}  // namespace ovantis
