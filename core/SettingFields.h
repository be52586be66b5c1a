#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ovantis {

// The position after the run of ASCII digits that starts at pos.
std::size_t skipDigits(std::string_view text, std::size_t pos);

// atoi-style: white space, a sign, digits up to the first other character.
// Anything that does not begin with a number reads as 0; values beyond the
// 32-bit range saturate at its limits.
std::int32_t ReadIntField(std::string_view text);

// The number a field's text starts with, as ReadFloatField reads it: white
// space, a sign, digits with at most one point, an exponent (its magnitude
// capped at 10^9). An empty mantissa when the text holds no number.
struct LeadingNumber {
    bool negative = false;
    std::string_view mantissa;  // digits and the point
    long long exponent = 0;
    std::string_view number;  // mantissa and exponent, as typed
};
LeadingNumber scanNumber(std::string_view text);

// atof-style, independent of the process locale, rounded to single precision.
// inf, nan and hex forms read as 0 like any other non-number; a value beyond
// single precision becomes an infinity for the caller to reject.
float ReadFloatField(std::string_view text);

}  // namespace ovantis
