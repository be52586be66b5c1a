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

// Writes v, below 10^9, as exactly nine digits ending just before end.
inline char* writeNine(char* end, std::uint32_t v) {
    const std::uint32_t high = v / 100000000;
    const std::uint32_t low = v % 100000000;
    const std::uint32_t upper = low / 10000;
    const std::uint32_t lower = low % 10000;
    char* first = end - 9;
    first[0] = static_cast<char>('0' + high);
    std::memcpy(first + 1, kPairs + 2 * (upper / 100), 2);
    std::memcpy(first + 3, kPairs + 2 * (upper % 100), 2);
    std::memcpy(first + 5, kPairs + 2 * (lower / 100), 2);
    std::memcpy(first + 7, kPairs + 2 * (lower % 100), 2);
    return first;
}

}  // namespace ovantis::decimalDigits
