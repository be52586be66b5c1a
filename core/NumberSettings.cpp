#include "NumberSettings.h"

#include <cmath>

#include "RandomSource.h"

namespace ovantis {

NumberSettings readBoundsBy(NumberSettings settings, const RandomSource& random) {
    settings.boundsAsTyped = random.secure();
    return settings;
}

bool wholeNumbersIn(const NumberSettings& s, std::int64_t& first, std::int64_t& last) {
    if (s.boundsAsTyped) {
        const auto lowest = s.low.whole(true);
        const auto highest = s.high.whole(false);
        if (!lowest || !highest || *lowest > *highest) {
            return false;
        }
        first = *lowest;
        last = *highest;
        return true;
    }
    // The classic reading: the whole numbers of the float's binary value.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    const double lowest = std::ceil(static_cast<double>(s.low.single()));
    const double highest = std::floor(static_cast<double>(s.high.single()));
    if (!(lowest >= -kTwoTo63 && highest < kTwoTo63 && lowest <= highest)) {
        return false;
    }
    first = static_cast<std::int64_t>(lowest);
    last = static_cast<std::int64_t>(highest);
    return true;
}

}  // namespace ovantis
