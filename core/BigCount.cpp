#include "BigCount.h"

#include <algorithm>
#include <cmath>

namespace ovantis {

BigCount::BigCount(std::uint64_t value) {
    for (; value != 0; value >>= 32) {
        m_words.push_back(static_cast<std::uint32_t>(value));
    }
}

BigCount BigCount::fromWords(std::vector<std::uint32_t> words) {
    BigCount value;
    value.m_words = std::move(words);
    value.trim();
    return value;
}

BigCount BigCount::fromDecimal(std::string_view digits) {
    BigCount value;
    for (const char digit : digits) {
        BigCount next(static_cast<std::uint64_t>(digit - '0'));
        next.addProduct(value, 10);
        value = std::move(next);
    }
    return value;
}

void BigCount::trim() {
    while (!m_words.empty() && m_words.back() == 0) {
        m_words.pop_back();
    }
}

std::uint64_t BigCount::low64() const {
    return word(0) | std::uint64_t{word(1)} << 32;
}

std::uint64_t BigCount::bitLength() const {
    if (m_words.empty()) {
        return 0;
    }
    const std::uint32_t top = m_words.back();
    int bits = 0;
    while (bits < 32 && (top >> bits) != 0) {
        ++bits;
    }
    return 32 * (m_words.size() - 1) + static_cast<std::uint64_t>(bits);
}

double BigCount::log2() const {
    if (m_words.empty()) {
        return -INFINITY;
    }
    // The top three words carry far more precision than a double holds.
    const std::size_t n = m_words.size();
    double top = 0;
    for (std::size_t i = n; i-- > (n >= 3 ? n - 3 : 0);) {
        top = top * 4294967296.0 + m_words[i];
    }
    return std::log2(top) + 32.0 * static_cast<double>(n >= 3 ? n - 3 : 0);
}

BigCount& BigCount::operator+=(const BigCount& other) {
    addProduct(other, 1);
    return *this;
}

BigCount& BigCount::operator-=(const BigCount& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        std::int64_t d = std::int64_t{m_words[i]} - other.word(i) - borrow;
        borrow = d < 0 ? 1 : 0;
        m_words[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    trim();
    return *this;
}

void BigCount::addProduct(const BigCount& other, std::uint32_t factor) {
    if (factor == 0 || other.m_words.empty()) {
        return;
    }
    if (m_words.size() < other.m_words.size() + 1) {
        m_words.resize(other.m_words.size() + 1, 0);
    }
    std::uint64_t carry = 0;
    std::size_t i = 0;
    for (; i < other.m_words.size(); ++i) {
        const std::uint64_t sum = std::uint64_t{other.m_words[i]} * factor + m_words[i] + carry;
        m_words[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    for (; carry != 0; ++i) {
        if (i == m_words.size()) {
            m_words.push_back(0);
        }
        const std::uint64_t sum = std::uint64_t{m_words[i]} + carry;
        m_words[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    trim();
}

void BigCount::multiply(std::uint64_t factor) {
    if (factor == 1) {
        return;
    }
    __extension__ typedef unsigned __int128 Wide;
    Wide carry = 0;
    for (std::uint32_t& w : m_words) {
        carry += Wide{w} * factor;
        w = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    for (; carry != 0; carry >>= 32) {
        m_words.push_back(static_cast<std::uint32_t>(carry));
    }
    trim();
}

std::uint32_t BigCount::divide(std::uint32_t divisor) {
    std::uint64_t rest = 0;
    for (std::size_t i = m_words.size(); i-- > 0;) {
        const std::uint64_t part = rest << 32 | m_words[i];
        m_words[i] = static_cast<std::uint32_t>(part / divisor);
        rest = part % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(rest);
}

std::string BigCount::toDecimal() const {
    if (m_words.empty()) {
        return "0";
    }
    // Nine digits per division.
    BigCount rest = *this;
    std::string digits;
    while (!rest.isZero()) {
        std::uint32_t part = rest.divide(1000000000);
        for (int i = 0; i < 9 && (part != 0 || !rest.isZero()); ++i) {
            digits += static_cast<char>('0' + part % 10);
            part /= 10;
        }
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::strong_ordering operator<=>(const BigCount& a, const BigCount& b) {
    if (a.m_words.size() != b.m_words.size()) {
        return a.m_words.size() <=> b.m_words.size();
    }
    for (std::size_t i = a.m_words.size(); i-- > 0;) {
        if (a.m_words[i] != b.m_words[i]) {
            return a.m_words[i] <=> b.m_words[i];
        }
    }
    return std::strong_ordering::equal;
}

}  // namespace ovantis
