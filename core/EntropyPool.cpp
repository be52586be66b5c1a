#include "EntropyPool.h"

namespace ovantis {

void EntropyPool::refill() {
    for (auto& word : m_words) {
        word = static_cast<std::uint32_t>(m_device());
    }
    m_next = 0;
}

}  // namespace ovantis
