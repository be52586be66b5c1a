#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovantis {

// An unsigned integer of any size, for counting the strings a pattern
// matches exactly however many there are.
class BigCount {
  public:
    BigCount() = default;
    explicit BigCount(std::uint64_t value);

    bool isZero() const { return m_words.empty(); }
    bool fits64() const { return m_words.size() <= 2; }
    // The low 64 bits: the value when fits64().
    std::uint64_t low64() const;
    // The bits the value needs: 0 for zero.
    std::uint64_t bitLength() const;
    std::size_t bytes() const { return m_words.capacity() * sizeof(std::uint32_t); }
    double log2() const;
    std::uint32_t word(std::size_t i) const { return i < m_words.size() ? m_words[i] : 0; }
    std::size_t words() const { return m_words.size(); }

    BigCount& operator+=(const BigCount& other);
    // other must not exceed this.
    BigCount& operator-=(const BigCount& other);
    // this += other * factor.
    void addProduct(const BigCount& other, std::uint32_t factor);
    // this *= factor.
    void multiply(std::uint64_t factor);
    // Divides in place and returns the remainder; divisor must not be 0.
    std::uint32_t divide(std::uint32_t divisor);
    std::string toDecimal() const;
    // From words, least significant first.
    static BigCount fromWords(std::vector<std::uint32_t> words);
    // From decimal digits alone.
    static BigCount fromDecimal(std::string_view digits);

    friend std::strong_ordering operator<=>(const BigCount& a, const BigCount& b);
    friend bool operator==(const BigCount& a, const BigCount& b) = default;

  private:
    void trim();

    // Least significant first, no high zero words.
    std::vector<std::uint32_t> m_words;
};

}  // namespace ovantis
