#include "TimeSettings.h"

#include <algorithm>
#include <cstdio>

#include "RandomSource.h"

namespace ovantis {

int drawDelay(const TimeSettings& s, RandomSource& random) {
    const std::int64_t delay = random.RandInRange(s.minDelay, s.maxDelay);
    return static_cast<int>(std::max<std::int64_t>(delay, 0));
}

std::string eventLine(const LocalTime& t, bool iso) {
    char buffer[128];
    int length = 0;
    if (iso) {
        const int offset = t.offsetMinutes < 0 ? -t.offsetMinutes : t.offsetMinutes;
        length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                               t.year, t.month, t.day, t.hour, t.minute, t.second,
                               t.offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    } else {
        length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d   %02d:%02d:%02d", t.year,
                               t.month, t.day, t.hour, t.minute, t.second);
    }
    return std::string(buffer,
                       static_cast<std::size_t>(std::clamp(length, 0, int{sizeof buffer} - 1)));
}

}  // namespace ovantis
