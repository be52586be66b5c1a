#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "RandomSource.h"

namespace ovantis {

// Indices drawn by weight, each at most once: a Fenwick tree of the weights
// left, so a draw and the removal of what it drew cost a logarithm each.
class WeightedDraws {
  public:
    // The weights' total must not exceed INT64_MAX.
    explicit WeightedDraws(const std::vector<std::uint64_t>& weights);
    std::uint64_t total() const { return m_total; }
    // An index of weight left; total() must not be 0.
    std::size_t next(RandomSource& random);

  private:
    std::vector<std::uint64_t> m_tree;  // from 1
    std::uint64_t m_total = 0;
};

}  // namespace ovantis
