#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "RandomSource.h"

namespace ovantis {

// An unsigned integer of up to 512 bits, enough for any single-precision
// value scaled by 10^100, so decimal bounds are exact whatever the places.
class WideInt {
  public:
    static constexpr int kWords = 16;

    WideInt() = default;
    explicit WideInt(std::uint64_t value);

    // Nothing when the text is not all digits or the value needs more bits.
    static std::optional<WideInt> fromDecimal(std::string_view digits);
    std::string toDecimal() const;
    // The decimal digits, ending just before end with kMaxDigits of room
    // before it; returns where they start.
    static constexpr int kMaxDigits = 155;
    char* writeDecimal(char* end) const;

    // Uniform in 0 .. bound - 1 from the secure source: the bits bound - 1
    // needs, redrawn while the value is too large. bound must not be 0.
    static WideInt below(const WideInt& bound, RandomSource& random);

    // Modulo 2^512, so a caller keeps sums in range.
    WideInt& operator+=(const WideInt& other);
    // other must not exceed this.
    WideInt& operator-=(const WideInt& other);

    friend std::strong_ordering operator<=>(const WideInt& a, const WideInt& b);
    friend bool operator==(const WideInt& a, const WideInt& b) = default;

    // The value, or cap when it is larger.
    std::uint64_t saturated(std::uint64_t cap) const;

  private:
    // The least index from which every word is 0.
    int used() const;

    // Least significant first.
    std::array<std::uint32_t, kWords> m_words{};
};

}  // namespace ovantis
