#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "WideInt.h"

namespace ovantis {

// A bound of the Number page: the decimal as typed, exactly, beside the
// single-precision value the classic source has always read from it.
class Bound {
  public:
    // The shortest decimal that reads back as value.
    Bound(float value = 0.0f);  // NOLINT: a float is a bound typed as its shortest text
    // A field's text, as ReadFloatField reads it; nothing when it is not
    // wholly a number.
    static std::optional<Bound> read(std::string_view text);

    float single() const { return m_single; }
    // Beyond single precision: refused, whatever the reading.
    bool finite() const;

    // The exact value times 10^places, rounded up or down to a whole number.
    struct Scaled {
        bool negative = false;
        WideInt magnitude;
    };
    Scaled scaled(int places, bool up) const;
    // The exact value rounded up or down to a whole number, when it fits in 64 bits.
    std::optional<std::int64_t> whole(bool up) const;

    // Exact; both must be finite.
    friend std::strong_ordering operator<=>(const Bound& a, const Bound& b);
    friend bool operator==(const Bound& a, const Bound& b) { return (a <=> b) == 0; }

  private:
    Bound(float single, bool negative, std::string_view mantissa, long long exponent);

    float m_single;
    // value = (-1 if m_negative) * m_digits * 10^m_exponent, with no leading or
    // trailing zero digits; zero has none and no sign.
    bool m_negative = false;
    std::string m_digits;
    long long m_exponent = 0;
};

}  // namespace ovantis
