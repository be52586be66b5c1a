#include "ClassicNumberLines.h"

#include <bit>
#include <cstring>

#include "ClassicDraws.h"

namespace ovantis {
namespace {

// Lines copied whole from their slots into out, which keeps room for one slot
// past limit; finish() cuts out to what was written.
template <std::size_t kSlot>
class SlotWriter {
  public:
    SlotWriter(std::string& out, std::size_t limit, const char* slots, const std::uint8_t* sizes)
        : m_out(out), m_slots(slots), m_sizes(sizes) {
        const std::size_t start = out.size();
        out.resize(limit + kSlot);
        m_at = out.data() + start;
        m_end = out.data() + limit;
    }
    bool room() const { return m_at < m_end; }
    void write(std::uint32_t entry) {
        std::memcpy(m_at, m_slots + entry * kSlot, kSlot);
        m_at += m_sizes[entry];
    }
    void finish() { m_out.resize(static_cast<std::size_t>(m_at - m_out.data())); }

  private:
    std::string& m_out;
    const char* m_slots;
    const std::uint8_t* m_sizes;
    char* m_at = nullptr;
    const char* m_end = nullptr;
};

}  // namespace

std::unique_ptr<ClassicNumberLines> ClassicNumberLines::make(const std::vector<std::string>& texts,
                                                             std::uint32_t width,
                                                             std::string_view lineEnd) {
    constexpr std::size_t kLongest = 64;
    auto lines = std::unique_ptr<ClassicNumberLines>(new ClassicNumberLines);
    lines->m_width = width;
    lines->m_integers = RandomSource::prepare(0, static_cast<std::int64_t>(width) - 1);
    lines->m_decimals = texts.size() > width;
    lines->m_bound = texts.size() == width + 1;
    std::size_t longest = 0;
    for (const std::string& text : texts) {
        longest = std::max(longest, text.size() + lineEnd.size());
    }
    if (longest > kLongest || width > kDraws ||
        (lines->m_decimals && !lines->m_bound && texts.size() != width + kDraws)) {
        return nullptr;
    }
    const std::size_t slot = longest <= 16 ? 16 : longest <= 32 ? 32 : kLongest;
    lines->m_slots.resize(texts.size() * slot);
    lines->m_sizes.resize(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::memcpy(&lines->m_slots[i * slot], texts[i].data(), texts[i].size());
        std::memcpy(&lines->m_slots[i * slot + texts[i].size()], lineEnd.data(), lineEnd.size());
        lines->m_sizes[i] = static_cast<std::uint8_t>(texts[i].size() + lineEnd.size());
    }
    if (lines->m_decimals && !lines->m_bound) {
        lines->m_passes.resize(kDraws);
        lines->m_leastKept = kDraws;
        for (int d = kDraws - 1; d >= 0; --d) {
            lines->m_passes[d] = texts[width + d].empty() ? 0 : 1;
            lines->m_leastKept = lines->m_passes[d] != 0 ? d : lines->m_leastKept;
        }
    }
    const bool integers = width != 0;
    const bool decimals = lines->m_decimals;
    const bool bound = lines->m_bound;
    lines->m_run = slot == 16   ? runFor<16>(integers, decimals, bound)
                   : slot == 32 ? runFor<32>(integers, decimals, bound)
                                : runFor<kLongest>(integers, decimals, bound);
    return lines->m_run != nullptr ? std::move(lines) : nullptr;
}

template <std::size_t kSlot>
ClassicNumberLines::Run ClassicNumberLines::runFor(bool integers, bool decimals, bool bound) {
    if (integers && !decimals) {
        return &ClassicNumberLines::runIntegers<kSlot>;
    }
    if (integers) {
        return bound ? &ClassicNumberLines::run<true, true, true, kSlot>
                     : &ClassicNumberLines::run<true, true, false, kSlot>;
    }
    if (decimals) {
        return bound ? &ClassicNumberLines::run<false, true, true, kSlot>
                     : &ClassicNumberLines::run<false, true, false, kSlot>;
    }
    return nullptr;
}

std::int64_t ClassicNumberLines::append(std::string& out, std::int64_t count, std::size_t limit,
                                        RandomSource& random) const {
    if (out.size() >= limit || count <= 0) {
        return 0;
    }
    return (this->*m_run)(out, count, limit, random);
}

std::uint32_t ClassicNumberLines::lineFrom(std::uint32_t& state) const {
    for (;;) {
        state = RandomSource::step(state);
        const bool even = (RandomSource::output(state) & 1) == 0;
        if (even && m_width != 0) {
            state = RandomSource::step(state);
            return RandomSource::reduce(m_integers, RandomSource::output(state));
        }
        if (!even && m_decimals) {
            if (m_bound) {
                return m_width;
            }
            do {
                state = RandomSource::step(state);
            } while (m_passes[RandomSource::output(state)] == 0);
            return m_width + static_cast<std::uint32_t>(RandomSource::output(state));
        }
    }
}

// The coin comes first: with one kind on, it is tossed until it names that
// kind. An integer takes the draw after it; a decimal the first kept draw
// after it, or none when it is the bound.
template <bool kIntegers, bool kDecimals, bool kBound, std::size_t kSlot>
std::int64_t ClassicNumberLines::run(std::string& out, std::int64_t count, std::size_t limit,
                                     RandomSource& random) const {
    SlotWriter<kSlot> lines(out, limit, m_slots.data(), m_sizes.data());
    ClassicDraws draws;
    ClassicDraws::Mask coins{};
    ClassicDraws::Mask kept{};
    std::uint32_t base = random.snapshot();
    const auto refill = [&] {
        draws.fill(base);
        if constexpr (kIntegers != kDecimals) {
            kIntegers ? draws.evenDraws(coins) : draws.oddDraws(coins);
        }
        if constexpr (kDecimals && !kBound) {
            draws.drawsFrom(m_leastKept, kept);
        }
    };
    refill();
    int next = 0;
    std::int64_t made = 0;
    for (; made < count && lines.room(); ++made) {
        const int coin = kIntegers && kDecimals ? next : ClassicDraws::next(coins, next);
        int decimal = coin;
        if constexpr (kDecimals && !kBound) {
            // Kept draws are the least kept one or more, bar a few.
            decimal = ClassicDraws::next(kept, coin + 1);
            while (decimal < ClassicDraws::kSize && m_passes[draws.draw(decimal)] == 0) {
                decimal = ClassicDraws::next(kept, decimal + 1);
            }
        }
        std::uint32_t entry = 0;
        if (decimal >= ClassicDraws::kSize - 1) {
            // The line runs past the block: draw it step by step, start anew.
            base = next == 0 ? base : draws.stateAt(next - 1);
            entry = lineFrom(base);
            refill();
            next = 0;
        } else {
            const bool integer = kIntegers && (!kDecimals || (draws.draw(coin) & 1) == 0);
            const std::uint32_t whole =
                kIntegers ? RandomSource::reduce(m_integers, draws.draw(coin + 1)) : 0;
            const std::uint32_t fraction =
                m_width + (kBound ? 0u : static_cast<std::uint32_t>(draws.draw(decimal)));
            entry = integer ? whole : fraction;
            next = integer ? coin + 2 : decimal + 1;
        }
        lines.write(entry);
    }
    random.restore(next == 0 ? base : draws.stateAt(next - 1));
    lines.finish();
    return made;
}

// Integers alone: draw i is a coin that starts a line where it is even and
// draw i - 1 was not a coin, so a word's coins come from its even draws by bit
// arithmetic: every other draw of each run of even ones, from the run's start.
// No line then waits on the search for the one before.
template <std::size_t kSlot>
std::int64_t ClassicNumberLines::runIntegers(std::string& out, std::int64_t count,
                                             std::size_t limit, RandomSource& random) const {
    constexpr std::uint64_t kEvenBits = 0x5555555555555555u;
    SlotWriter<kSlot> lines(out, limit, m_slots.data(), m_sizes.data());
    const RandomSource::Range integers = m_integers;

    ClassicDraws draws;
    ClassicDraws::Mask even{};
    std::uint32_t base = random.snapshot();
    // The first draw of the block not yet read.
    int next = 0;
    std::int64_t made = 0;
    while (made < count && lines.room()) {
        draws.fill(base);
        draws.evenDraws(even);
        bool carry = false;
        for (int word = 0; word < ClassicDraws::kWords && made < count && lines.room(); ++word) {
            const std::uint64_t m = even[word] & ~std::uint64_t{carry};
            const std::uint64_t starts = m & ~(m << 1);
            // The runs that start on an even bit: adding their first bits
            // clears them, carrying into the bit after each.
            const std::uint64_t fromEven = m & ~(m + (starts & kEvenBits));
            std::uint64_t coins = (fromEven & kEvenBits) | (m & ~fromEven & ~kEvenBits);
            carry = coins >> 63 != 0;
            for (; coins != 0 && made < count && lines.room(); coins &= coins - 1) {
                const int coin = word * 64 + std::countr_zero(coins);
                if (coin == ClassicDraws::kSize - 1) {
                    break;
                }
                lines.write(RandomSource::reduce(integers,
                                                 static_cast<std::uint32_t>(draws.draw(coin + 1))));
                next = coin + 2;
                ++made;
            }
        }
        if (made >= count || !lines.room()) {
            break;
        }
        // The block is read up to its last line; a line that runs past it
        // is drawn step by step when it is the block's first.
        if (next == 0) {
            lines.write(lineFrom(base));
            ++made;
        } else {
            base = draws.stateAt(next - 1);
            next = 0;
        }
    }
    random.restore(next == 0 ? base : draws.stateAt(next - 1));
    lines.finish();
    return made;
}

}  // namespace ovantis
