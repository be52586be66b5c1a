#include "WideInt.h"

#include <algorithm>
#include <bit>

#include "DecimalDigits.h"

namespace ovantis {

WideInt::WideInt(std::uint64_t value) {
    m_words[0] = static_cast<std::uint32_t>(value);
    m_words[1] = static_cast<std::uint32_t>(value >> 32);
}

std::optional<WideInt> WideInt::fromDecimal(std::string_view digits) {
    WideInt result;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        std::uint64_t carry = static_cast<std::uint64_t>(c - '0');
        for (std::uint32_t& word : result.m_words) {
            const std::uint64_t product = std::uint64_t{word} * 10 + carry;
            word = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            return std::nullopt;
        }
    }
    return result;
}

std::string WideInt::toDecimal() const {
    char digits[kMaxDigits];
    return std::string(writeDecimal(digits + kMaxDigits), digits + kMaxDigits);
}

char* WideInt::writeDecimal(char* end) const {
    constexpr std::uint32_t kBillion = 1000000000;
    WideInt rest = *this;
    char* first = end;
    // Nine digits at a time, lowest first: long division by 10^9, highest
    // word first.
    for (int top = rest.used(); top > 0;) {
        std::uint64_t remainder = 0;
        for (int i = top - 1; i >= 0; --i) {
            const std::uint64_t current = (remainder << 32) | rest.m_words[i];
            rest.m_words[i] = static_cast<std::uint32_t>(current / kBillion);
            remainder = current % kBillion;
        }
        while (top > 0 && rest.m_words[top - 1] == 0) {
            --top;
        }
        first = top > 0 ? decimalDigits::writeNine(first, static_cast<std::uint32_t>(remainder))
                        : decimalDigits::write(first, remainder);
    }
    return first == end ? decimalDigits::write(end, 0) : first;
}

WideInt WideInt::below(const WideInt& bound, RandomSource& random) {
    WideInt highest = bound;
    highest -= WideInt(1);
    const int top = std::max(highest.used(), 1);
    const std::uint32_t mask = ~std::uint32_t{0} >> std::countl_zero(highest.m_words[top - 1] | 1u);
    for (;;) {
        WideInt value;
        for (int i = 0; i < top; ++i) {
            value.m_words[i] = random.secureWord();
        }
        value.m_words[top - 1] &= mask;
        if (value <= highest) {
            return value;
        }
    }
}

WideInt& WideInt::operator+=(const WideInt& other) {
    std::uint64_t carry = 0;
    for (int i = 0; i < kWords; ++i) {
        const std::uint64_t sum = std::uint64_t{m_words[i]} + other.m_words[i] + carry;
        m_words[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    return *this;
}

WideInt& WideInt::operator-=(const WideInt& other) {
    std::uint64_t borrow = 0;
    for (int i = 0; i < kWords; ++i) {
        const std::uint64_t difference = std::uint64_t{m_words[i]} - other.m_words[i] - borrow;
        m_words[i] = static_cast<std::uint32_t>(difference);
        borrow = difference >> 63;
    }
    return *this;
}

std::strong_ordering operator<=>(const WideInt& a, const WideInt& b) {
    for (int i = WideInt::kWords - 1; i >= 0; --i) {
        if (a.m_words[i] != b.m_words[i]) {
            return a.m_words[i] <=> b.m_words[i];
        }
    }
    return std::strong_ordering::equal;
}

std::uint64_t WideInt::saturated(std::uint64_t cap) const {
    if (used() > 2) {
        return cap;
    }
    return std::min(cap, (std::uint64_t{m_words[1]} << 32) | m_words[0]);
}

int WideInt::used() const {
    int top = kWords;
    while (top > 0 && m_words[top - 1] == 0) {
        --top;
    }
    return top;
}

}  // namespace ovantis
