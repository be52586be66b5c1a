#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>

#include "RandomSource.h"
#include "TextSink.h"

namespace ovantis {

// Thrown when a generator went on drawing lines without one it may keep
// (every possible --unique line taken, or --each-class lines too rare).
class RedrawLimit : public std::runtime_error {
  public:
    explicit RedrawLimit(bool classicSource = false)
        : std::runtime_error("no further line found"), m_classic(classicSource) {}
    // Drawn from the classic source, whose short period is the likely cause.
    bool classicSource() const { return m_classic; }

    enum class Trial { Kept, Again, Stopped };

    // Draws until draw() keeps a line (true) or is stopped (false). Every
    // `every` tries the sink, if any, is asked whether to go on and the
    // source's clock is read: once its second has moved on twice (more than
    // a second) with nothing kept, throws RedrawLimit.
    template <class Draw>
    static bool redraw(Draw draw, RandomSource& random, TextSink* sink, std::int64_t every) {
        std::optional<std::time_t> since;
        for (std::int64_t tries = 1;; ++tries) {
            const Trial trial = draw();
            if (trial != Trial::Again) {
                return trial == Trial::Kept;
            }
            if (tries % every != 0) {
                continue;
            }
            std::string nothing;
            if (sink != nullptr && !sink->drain(nothing)) {
                return false;
            }
            const std::time_t now = random.now();
            if (!since) {
                since = now;
            } else if (now - *since >= 2) {
                throw RedrawLimit(!random.secure());
            }
        }
    }

  private:
    bool m_classic;
};

}  // namespace ovantis
