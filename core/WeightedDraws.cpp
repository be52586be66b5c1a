#include "WeightedDraws.h"

#include <bit>

namespace ovantis {

WeightedDraws::WeightedDraws(const std::vector<std::uint64_t>& weights)
    : m_tree(weights.size() + 1, 0) {
    for (std::size_t i = 1; i < m_tree.size(); ++i) {
        m_tree[i] += weights[i - 1];
        m_total += weights[i - 1];
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < m_tree.size()) {
            m_tree[parent] += m_tree[i];
        }
    }
}

std::size_t WeightedDraws::next(RandomSource& random) {
    auto r =
        static_cast<std::uint64_t>(random.RandInRange(0, static_cast<std::int64_t>(m_total) - 1));
    // Descends to the first index whose running total passes r.
    std::size_t at = 0;
    for (std::size_t step = std::bit_floor(m_tree.size() - 1); step != 0; step /= 2) {
        if (at + step < m_tree.size() && m_tree[at + step] <= r) {
            at += step;
            r -= m_tree[at];
        }
    }
    const std::size_t index = at;  // 0-based: the tree's at + 1
    std::uint64_t weight = 0;
    // The weight alone: the node's sum less its children's.
    weight = m_tree[at + 1];
    for (std::size_t child = 1; child < ((at + 1) & (~(at + 1) + 1)); child *= 2) {
        weight -= m_tree[at + 1 - child];
    }
    for (std::size_t i = at + 1; i < m_tree.size(); i += i & (~i + 1)) {
        m_tree[i] -= weight;
    }
    m_total -= weight;
    return index;
}

}  // namespace ovantis
