#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ovantis {

// The position after the run of ASCII digits that starts at pos.
std::size_t skipDigits(std::string_view text, std::size_t pos);

// A sign and digits, white space around them allowed; nothing for any other
// text, since reading only a leading number made "0,5" a silent 0. Empty (or
// blank) text reads as 0; values beyond the 32-bit range saturate at its
// limits.
std::optional<std::int32_t> ReadIntField(std::string_view text);

// A classic source's seed, 0 to 4294967295 in digits alone; none otherwise.
std::optional<std::uint32_t> readSeed(std::string_view text);

// The number a field's text holds, as ReadFloatField reads it: a sign,
// digits with at most one point, an exponent (its magnitude capped at 10^9),
// white space around them allowed. Nothing when the text is not wholly such a
// number; an empty mantissa when it is empty or blank.
struct TypedNumber {
    bool negative = false;
    std::string_view mantissa;  // digits and the point
    long long exponent = 0;
    std::string_view number;  // mantissa and exponent, as typed
};
std::optional<TypedNumber> scanNumber(std::string_view text);

// The number scanNumber finds, independent of the process locale, rounded to
// single precision: nothing for any other text (a decimal comma, digit
// groups, inf, nan, hex), since reading only a leading number made "0,5" a
// silent 0. Empty (or blank) text reads as 0; a value beyond single precision
// becomes an infinity for the caller to reject.
std::optional<float> ReadFloatField(std::string_view text);

}  // namespace ovantis
