#include "TimeSettings.h"

#include <algorithm>
#include <cstdio>

#include "RandomSource.h"

namespace ovantis {

int drawDelay(const TimeSettings& s, RandomSource& random) {
    const std::int64_t delay = random.RandInRange(s.minDelay, s.maxDelay);
    return static_cast<int>(std::max<std::int64_t>(delay, 0));
}

std::string eventLine(const LocalTime& t) {
    char buffer[96];
    const int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d   %02d:%02d:%02d",
                                     t.year, t.month, t.day, t.hour, t.minute, t.second);
    return std::string(buffer,
                       static_cast<std::size_t>(std::clamp(length, 0, int{sizeof buffer} - 1)));
}

}  // namespace ovantis
