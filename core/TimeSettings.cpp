#include "TimeSettings.h"

#include <algorithm>
#include <cstdio>

#include "Notices.h"
#include "RandomSource.h"
#include "TimeFields.h"

namespace ovantis {

Refusal check(const TimeSettings& s) {
    const auto row = [](auto member) { return rowOf<TimeSettings>(kTimeFields, member).names; };
    if (s.runExternal && s.command.empty()) {
        return {.kind = Refusal::Kind::NoProgram,
                .notice = notices::kNoCommand,
                .field = row(&TimeSettings::command)};
    }
    if (s.maxDelay < s.minDelay) {
        return maxBelowMin(notices::kBadDelay, row(&TimeSettings::maxDelay),
                           row(&TimeSettings::minDelay), s.minDelay, s.maxDelay);
    }
    if (s.count <= 0) {
        return countTooLow(row(&TimeSettings::count), s.count);
    }
    return {};
}

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
