#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BoundedDraws.h"
#include "RandomSource.h"

namespace ovantis {

// Whole runs of secure number lines: k uniform in [low, low + width), written
// as k / 10^places, several draws per word. Narrow ranges keep every line's
// text in a fixed slot, so a line is one copy.
class NumberLines {
  public:
    // width >= 1; places as the page allows.
    NumberLines(std::int64_t low, std::uint64_t width, int places, std::string_view lineEnd);

    // Appends up to count lines, stopping once out reaches limit bytes; the
    // last line may pass it by at most kMaxLine. Returns the lines made.
    std::int64_t append(std::string& out, std::int64_t count, std::size_t limit,
                        RandomSource& random) const;

    static constexpr std::size_t kMaxLine = 160;

  private:
    static constexpr std::size_t kSlot = 32;
    static constexpr std::uint64_t kTableLimit = 4096;

    // Writes the line of low + offset at to; returns its end.
    char* write(char* to, std::uint64_t offset) const;

    std::int64_t m_low;
    int m_places;
    std::string m_lineEnd;
    BoundedDraws m_draws;
    // Every line's text, kSlot bytes each, and its size; empty when too wide.
    std::vector<char> m_slots;
    std::vector<std::uint8_t> m_sizes;
};

}  // namespace ovantis
