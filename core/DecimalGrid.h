#pragma once

#include <cstdint>
#include <string>

#include "RandomSource.h"
#include "WideInt.h"

namespace ovantis {

// The decimals with the given places inside [low, high]: k / 10^places for
// every whole k from ceil(low * 10^places) to floor(high * 10^places), exactly.
// Each bound counts as its shortest decimal, the text that reads back as the
// same float: the number a user typed and sees in the field, so a range typed
// as 0.1 .. 0.9 holds 0.1 and 0.9 themselves, on the window and the CLI alike.
class DecimalGrid {
  public:
    // Bounds that are not finite or places the page refuses hold nothing.
    DecimalGrid(float low, float high, int places);

    bool empty() const { return m_empty; }
    // How many values, saturating at cap.
    std::uint64_t size(std::uint64_t cap) const;
    // With places 0: how many of the whole numbers first .. last it holds.
    std::uint64_t wholeNumbersAmong(std::int64_t first, std::int64_t last) const;

    // Appends a value drawn uniformly; the source must be secure.
    void appendDraw(std::string& out, RandomSource& random) const;

  private:
    // A scaled bound k as a sign and a magnitude.
    struct Signed {
        bool negative = false;
        WideInt magnitude;
    };
    static Signed scaled(float x, int places, bool up);
    void appendValue(std::string& out, bool negative, std::string_view digits) const;

    int m_places;
    bool m_empty = false;
    Signed m_first;
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
