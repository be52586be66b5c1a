#include "EntropyPool.h"

#include "ChaChaBlocks.h"

#include <algorithm>

#include <stdexcept>

namespace ovantis {

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

void EntropyPool::restart(std::uint64_t stream) {
    // Word 13 stays the counter's carry; the stream takes the two above it.
    m_input[12] = 0;
    m_input[13] = 0;
    m_input[14] = static_cast<std::uint32_t>(stream);
    m_input[15] = static_cast<std::uint32_t>(stream >> 32);
    m_nextHalf = kHalves;
}

void EntropyPool::refill() {
    ChaChaBlocks::fill(m_input, m_words.data());
    // 32-bit block counter with the nonce word above it as its carry.
    m_input[12] += kBlocks;
    if (m_input[12] < kBlocks) {
        ++m_input[13];
    }
    m_nextHalf = 0;
}

}  // namespace ovantis
