#pragma once

#include <cstdint>
#include <string>

namespace ovantis {

// How much one run may put into an output box, checked before it starts.
struct OutputLimit {
    std::int64_t lines = 0;
    std::int64_t bytes = 0;

    static OutputLimit window() { return {1000000, 64LL * 1024 * 1024}; }

    // Whether count lines of at most lineBytes each (plus line ends) fit.
    bool fits(std::int64_t count, std::int64_t lineBytes) const;
    // The notice filled in from kTooMuchOutput. A translation fills its own
    // wording from lines and from the size parts below.
    std::string notice() const;
    // The size as a whole number of MiB when it is one, else in bytes.
    bool inMebibytes() const { return bytes % (1024 * 1024) == 0; }
    std::int64_t sizeNumber() const { return inMebibytes() ? bytes / (1024 * 1024) : bytes; }
};

}  // namespace ovantis
