#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RandomSource.h"

namespace ovantis {

// Classic-source number lines a chunk at a time, byte for byte the lines made
// one at a time. A 15-bit draw can give only so many lines, so each is written
// once up front; a line is then a few draws read from a block and one copy.
class ClassicNumberLines {
  public:
    static constexpr int kDraws = RandomSource::kDrawMax + 1;

    // texts: the integer lines for offsets 0 .. width-1 (width 0 when integers
    // are off, else at most kDraws), then either the one decimal line that
    // needs no draw, or a decimal line for each of the kDraws draws, empty
    // where the draw is passed over; nothing when decimals are off. Lines
    // carry no end. Null when a line is too long to keep this way.
    static std::unique_ptr<ClassicNumberLines> make(const std::vector<std::string>& texts,
                                                    std::uint32_t width, std::string_view lineEnd);

    // Appends up to count lines, stopping once out reaches limit bytes.
    // Returns the lines made.
    std::int64_t append(std::string& out, std::int64_t count, std::size_t limit,
                        RandomSource& random) const;

  private:
    using Run = std::int64_t (ClassicNumberLines::*)(std::string&, std::int64_t, std::size_t,
                                                     RandomSource&) const;
    template <bool kIntegers, bool kDecimals, bool kBound, std::size_t kSlot>
    std::int64_t run(std::string& out, std::int64_t count, std::size_t limit,
                     RandomSource& random) const;
    template <std::size_t kSlot>
    std::int64_t runIntegers(std::string& out, std::int64_t count, std::size_t limit,
                             RandomSource& random) const;
    template <std::size_t kSlot>
    static Run runFor(bool integers, bool decimals, bool bound);
    // One line's entry drawn step by step from state, as the page draws it.
    std::uint32_t lineFrom(std::uint32_t& state) const;

    RandomSource::Range m_integers;
    std::uint32_t m_width = 0;
    bool m_decimals = false;
    bool m_bound = false;
    // Non-zero where a decimal draw is kept.
    std::vector<std::uint8_t> m_passes;
    int m_leastKept = 0;
    std::vector<char> m_slots;
    std::vector<std::uint8_t> m_sizes;
    Run m_run = nullptr;
};

}  // namespace ovantis
