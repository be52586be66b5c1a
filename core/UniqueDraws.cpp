#include "UniqueDraws.h"

namespace ovantis {

std::uint64_t UniqueDraws::at(std::uint64_t place) const {
    const auto moved = m_moved.find(place);
    return moved == m_moved.end() ? place : moved->second;
}

std::uint64_t UniqueDraws::next(RandomSource& random) {
    const std::uint64_t place = m_drawn + static_cast<std::uint64_t>(random.RandInRange(
                                              0, static_cast<std::int64_t>(left() - 1)));
    const std::uint64_t drawn = at(place);
    // The first place left is never looked at again: what it held moves to
    // the place drawn.
    m_moved[place] = at(m_drawn);
    m_moved.erase(m_drawn);
    ++m_drawn;
    return drawn;
}

}  // namespace ovantis
