#pragma once

#include <cstdint>

namespace ovantis {

// Several uniform draws in [0, n) from one random word, exactly. Taking k
// draws with n^k <= 2^bits, repeated multiply-shift reads the base-n digits
// of floor(word * n^k / 2^bits); the word is refused when its leftover,
// word * n^k mod 2^bits, lies below 2^bits mod n^k, Lemire's test on the
// k-digit value, so the kept digits are uniform and independent. Written for
// any word width so a test can go through every word of a narrow one.
template <class Word, class Product>
class BoundedDigits {
  public:
    static constexpr int kMaxDigits = 64;

    // n >= 1.
    explicit constexpr BoundedDigits(Word n) : m_n(n) {
        // The k giving the most kept draws per word; each step up must pay
        // for the words its larger refused share costs.
        constexpr Product kSpace = Product{1} << (8 * sizeof(Word));
        Product span = 1;
        double bestRate = 0;
        for (int k = 1; k <= kMaxDigits; ++k) {
            span *= n;
            if (span > kSpace) {
                break;
            }
            const auto low = static_cast<Word>(span);
            const Word refused = low == 0 ? 0 : static_cast<Word>(Word(0 - low) % low);
            const double rate =
                k * (1.0 - static_cast<double>(refused) / static_cast<double>(kSpace));
            if (rate > bestRate) {
                bestRate = rate;
                m_digits = k;
                m_span = low;
                m_refused = refused;
            }
            if (n == 1) {
                break;
            }
        }
    }

    int perWord() const { return m_digits; }

    // False when the word is refused: its draws would not be uniform.
    bool accepts(Word word) const { return static_cast<Word>(Product{word} * m_span) >= m_refused; }
    // The next of an accepted word's perWord() draws, in order; word keeps
    // the rest.
    Word take(Word& word) const {
        const Product product = Product{word} * m_n;
        word = static_cast<Word>(product);
        return static_cast<Word>(product >> (8 * sizeof(Word)));
    }

    // False when the word is refused; else perWord() draws into out.
    template <class Out>
    bool split(Word word, Out* out) const {
        if (!accepts(word)) {
            return false;
        }
        for (int i = 0; i < m_digits; ++i) {
            out[i] = static_cast<Out>(take(word));
        }
        return true;
    }

  private:
    Word m_n;
    int m_digits = 1;
    Word m_span = 0;     // n^k mod 2^bits
    Word m_refused = 0;  // 2^bits mod n^k
};

__extension__ typedef unsigned __int128 Uint128;
using BoundedDraws = BoundedDigits<std::uint64_t, Uint128>;

}  // namespace ovantis
