#pragma once

#include <cstdint>
#include <string>

#include "Bound.h"
#include "RandomSource.h"
#include "WideInt.h"

namespace ovantis {

// The decimals with the given places inside [low, high]: k / 10^places for
// every whole k from ceil(low * 10^places) to floor(high * 10^places), exactly,
// so a range typed as 0.1 .. 0.9 holds 0.1 and 0.9 themselves.
class DecimalGrid {
  public:
    // Bounds that are not finite or places the page refuses hold nothing.
    DecimalGrid(const Bound& low, const Bound& high, int places);

    bool empty() const { return m_empty; }
    // How many values, saturating at cap.
    std::uint64_t size(std::uint64_t cap) const;
    const WideInt& count() const { return m_count; }
    // With places 0: how many of the whole numbers first .. last it holds.
    std::uint64_t wholeNumbersAmong(std::int64_t first, std::int64_t last) const;

    // The scaled values k as a 64-bit range, when both bounds fit in one.
    const RandomSource::Range* narrowRange() const { return m_narrow ? &m_narrowRange : nullptr; }

    // Appends a value drawn uniformly; the source must be secure.
    void appendDraw(std::string& out, RandomSource& random) const;

  private:
    void appendValue(std::string& out, bool negative, std::string_view digits) const;

    int m_places;
    bool m_empty = false;
    Bound::Scaled m_first;
    // last - first + 1, or 0 when empty.
    WideInt m_count;
    // The bounds clamped to 64 bits.
    std::int64_t m_firstClamped = 0;
    std::int64_t m_lastClamped = 0;
    // Both bounds within 64 bits: drawn and written without wide arithmetic.
    bool m_narrow = false;
    RandomSource::Range m_narrowRange;
};

}  // namespace ovantis
