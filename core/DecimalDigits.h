#pragma once

#include <cstdint>
#include <cstring>

namespace ovantis::decimalDigits {

inline constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes v in decimal, zero-padded to at least minDigits, ending just before
// end, two digits a step; returns where the digits start.
inline char* write(char* end, std::uint64_t v, int minDigits = 1) {
    char* first = end;
    while (v >= 100) {
        first -= 2;
        std::memcpy(first, kPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        first -= 2;
        std::memcpy(first, kPairs + 2 * v, 2);
    } else {
        *--first = static_cast<char>('0' + v);
    }
    while (end - first < minDigits) {
        *--first = '0';
    }
    return first;
}

}  // namespace ovantis::decimalDigits
