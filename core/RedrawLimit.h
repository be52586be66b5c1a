#pragma once

#include <cstdint>
#include <stdexcept>

namespace ovantis {

// Thrown when a generator drew many lines in a row without one it may keep
// (every possible --unique line taken, or --each-class lines too rare).
class RedrawLimit : public std::runtime_error {
  public:
    RedrawLimit() : std::runtime_error("no further line found after many redraws") {}

    // Far beyond what a possible line needs; a guard against waiting forever.
    static constexpr std::int64_t kMostTries = std::int64_t{1} << 26;

    enum class Trial { Kept, Again, Stopped };

    // Draws until draw() keeps a line (true) or is stopped (false); throws
    // RedrawLimit past the most tries.
    template <class Draw>
    static bool redraw(Draw draw) {
        for (std::int64_t tries = 0; tries < kMostTries; ++tries) {
            const Trial trial = draw();
            if (trial != Trial::Again) {
                return trial == Trial::Kept;
            }
        }
        throw RedrawLimit();
    }
};

}  // namespace ovantis
