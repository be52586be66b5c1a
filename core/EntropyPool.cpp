#include "EntropyPool.h"

#include <algorithm>

#include <stdexcept>

namespace ovantis {
namespace {

constexpr std::size_t kLanes = 4;

// One ChaCha state word for four blocks at once.
#if defined(__GNUC__)
// GCC and clang vector types: one SIMD register, whatever the optimisation level.
using Lanes = std::uint32_t __attribute__((vector_size(16)));
#else
struct Lanes {
    std::uint32_t v[kLanes];
    std::uint32_t& operator[](std::size_t k) { return v[k]; }
    Lanes& operator+=(const Lanes& o) {
        for (std::size_t k = 0; k < kLanes; ++k)
            v[k] += o.v[k];
        return *this;
    }
    Lanes operator^(const Lanes& o) const {
        Lanes r;
        for (std::size_t k = 0; k < kLanes; ++k)
            r.v[k] = v[k] ^ o.v[k];
        return r;
    }
    Lanes operator<<(int n) const {
        Lanes r;
        for (std::size_t k = 0; k < kLanes; ++k)
            r.v[k] = v[k] << n;
        return r;
    }
    Lanes operator>>(int n) const {
        Lanes r;
        for (std::size_t k = 0; k < kLanes; ++k)
            r.v[k] = v[k] >> n;
        return r;
    }
    Lanes operator|(const Lanes& o) const {
        Lanes r;
        for (std::size_t k = 0; k < kLanes; ++k)
            r.v[k] = v[k] | o.v[k];
        return r;
    }
};
#endif

template <int N>
void mixInto(Lanes& a, const Lanes& b, Lanes& d) {
    a += b;
    const Lanes t = d ^ a;
    d = (t << N) | (t >> (32 - N));
}

template <int A, int B, int C, int D>
void quarter(Lanes (&x)[16]) {
    mixInto<16>(x[A], x[B], x[D]);
    mixInto<12>(x[C], x[D], x[B]);
    mixInto<8>(x[A], x[B], x[D]);
    mixInto<7>(x[C], x[D], x[B]);
}

}  // namespace

EntropyPool::EntropyPool(const KeySource& keys) {
    if (!keys) {
        throw std::logic_error("the secure source needs a key source");
    }
    std::array<std::uint8_t, kKeyBytes> bytes{};
    keys(bytes.data(), bytes.size());
    std::array<std::uint32_t, kKeyBytes / 4> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                   std::uint32_t{bytes[4 * i + 3]} << 24;
    }
    Key key{};
    Nonce nonce{};
    std::copy(words.begin(), words.begin() + 8, key.begin());
    std::copy(words.begin() + 8, words.end(), nonce.begin());
    start(key, nonce, 0);
}

EntropyPool::EntropyPool(const Key& key, const Nonce& nonce, std::uint32_t counter) {
    start(key, nonce, counter);
}

void EntropyPool::start(const Key& key, const Nonce& nonce, std::uint32_t counter) {
    // "expand 32-byte k", key, block counter, nonce.
    m_input = {0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};
    for (std::size_t i = 0; i < key.size(); ++i) {
        m_input[4 + i] = key[i];
    }
    m_input[12] = counter;
    for (std::size_t i = 0; i < nonce.size(); ++i) {
        m_input[13 + i] = nonce[i];
    }
}

void EntropyPool::refill() {
    static_assert(kBlocks == kLanes);
    Lanes x[16];
    for (std::size_t i = 0; i < 16; ++i) {
        for (std::size_t b = 0; b < kBlocks; ++b) {
            x[i][b] = m_input[i] + (i == 12 ? static_cast<std::uint32_t>(b) : 0);
        }
    }
    for (int doubleRound = 0; doubleRound < 10; ++doubleRound) {
        quarter<0, 4, 8, 12>(x);
        quarter<1, 5, 9, 13>(x);
        quarter<2, 6, 10, 14>(x);
        quarter<3, 7, 11, 15>(x);
        quarter<0, 5, 10, 15>(x);
        quarter<1, 6, 11, 12>(x);
        quarter<2, 7, 8, 13>(x);
        quarter<3, 4, 9, 14>(x);
    }
    for (std::size_t b = 0; b < kBlocks; ++b) {
        for (std::size_t i = 0; i < 16; ++i) {
            m_words[b * 16 + i] =
                x[i][b] + m_input[i] + (i == 12 ? static_cast<std::uint32_t>(b) : 0);
        }
    }
    // 32-bit block counter with the nonce word above it as its carry.
    m_input[12] += kBlocks;
    if (m_input[12] < kBlocks) {
        ++m_input[13];
    }
    m_nextHalf = 0;
}

}  // namespace ovantis
