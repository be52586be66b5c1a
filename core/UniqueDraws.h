#pragma once

#include <cstdint>
#include <unordered_map>

#include "RandomSource.h"

namespace ovantis {

// Numbers below a size, each drawn at most once: a Fisher-Yates shuffle that
// keeps only the places it has moved, so n draws cost n random numbers and
// memory for n, however large the size and however near n comes to it.
class UniqueDraws {
  public:
    // size must not exceed INT64_MAX.
    explicit UniqueDraws(std::uint64_t size) : m_size(size) {}
    std::uint64_t left() const { return m_size - m_drawn; }
    // A number not drawn before; left() must not be 0.
    std::uint64_t next(RandomSource& random);

  private:
    std::uint64_t at(std::uint64_t place) const;

    std::uint64_t m_size;
    std::uint64_t m_drawn = 0;
    std::unordered_map<std::uint64_t, std::uint64_t> m_moved{};
};

}  // namespace ovantis
