#include "NumberLines.h"

#include <algorithm>
#include <cstring>

#include "DecimalDigits.h"

namespace ovantis {
NumberLines::NumberLines(std::int64_t low, std::uint64_t width, int places,
                         std::string_view lineEnd)
    : m_low(low), m_places(places), m_lineEnd(lineEnd), m_draws(width) {
    if (width > kTableLimit) {
        return;
    }
    std::vector<char> slots(width * kSlot);
    std::vector<std::uint8_t> sizes(width);
    for (std::uint64_t i = 0; i < width; ++i) {
        char line[kMaxLine];
        const auto size = static_cast<std::size_t>(write(line, i) - line);
        if (size > kSlot) {
            return;
        }
        std::memcpy(&slots[i * kSlot], line, size);
        sizes[i] = static_cast<std::uint8_t>(size);
    }
    m_slots = std::move(slots);
    m_sizes = std::move(sizes);
}

char* NumberLines::write(char* to, std::uint64_t offset) const {
    const std::uint64_t k = static_cast<std::uint64_t>(m_low) + offset;
    const bool negative = static_cast<std::int64_t>(k) < 0;
    const std::uint64_t magnitude = negative ? 0 - k : k;
    char digits[24];
    const char* const first = decimalDigits::write(digits + sizeof digits, magnitude);
    const auto count = static_cast<std::size_t>(digits + sizeof digits - first);
    const auto places = static_cast<std::size_t>(m_places);
    *to = '-';
    to += negative ? 1 : 0;
    if (count <= places) {
        *to++ = '0';
        *to++ = '.';
        std::memset(to, '0', places - count);
        to += places - count;
        std::memcpy(to, first, count);
        to += count;
    } else {
        std::memcpy(to, first, count - places);
        to += count - places;
        if (places > 0) {
            *to++ = '.';
            std::memcpy(to, first + count - places, places);
            to += places;
        }
    }
    std::memcpy(to, m_lineEnd.data(), m_lineEnd.size());
    return to + m_lineEnd.size();
}

std::int64_t NumberLines::append(std::string& out, std::int64_t count, std::size_t limit,
                                 RandomSource& random) const {
    const std::size_t start = out.size();
    if (start >= limit || count <= 0) {
        return 0;
    }
    out.resize(limit + kMaxLine);
    char* at = out.data() + start;
    const char* const end = out.data() + limit;
    // Local copies: the lines written through a char pointer could alias
    // members, which would keep them out of registers.
    const BoundedDraws draws = m_draws;
    const int perWord = draws.perWord();
    const char* const slots = m_slots.empty() ? nullptr : m_slots.data();
    const std::uint8_t* const sizes = m_sizes.data();
    std::int64_t made = 0;
    while (made < count && at < end) {
        std::uint64_t word = random.secureWord64();
        if (!draws.accepts(word)) {
            continue;
        }
        // Draws left over when the chunk fills are dropped: each is independent.
        const int lines = static_cast<int>(std::min<std::int64_t>(perWord, count - made));
        int i = 0;
        // Where every line of the word starts before the end, no test for each.
        const bool room = end - at >= static_cast<std::ptrdiff_t>(lines * kSlot);
        if (slots != nullptr) {
            for (; i < lines && (room || at < end); ++i) {
                const std::uint64_t k = draws.take(word);
                std::memcpy(at, slots + k * kSlot, kSlot);
                at += sizes[k];
            }
        } else {
            for (; i < lines && at < end; ++i) {
                at = write(at, draws.take(word));
            }
        }
        made += i;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return made;
}

}  // namespace ovantis
