#pragma once

#include <cstdint>

#include "Notice.h"

namespace ovantis {

// How much one run may put into an output box, checked before it starts.
struct OutputLimit {
    std::int64_t lines = 0;
    std::int64_t bytes = 0;

    static OutputLimit window() { return {1000000, 64LL * 1024 * 1024}; }

    // Whether count lines of at most lineBytes each (plus line ends) fit.
    bool fits(std::int64_t count, std::int64_t lineBytes) const;
    // The notice that refuses a run beyond the limit.
    Notice notice() const;
};

}  // namespace ovantis
