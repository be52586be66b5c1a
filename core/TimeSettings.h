#pragma once

#include <cstdint>
#include <string>

#include "LocalTime.h"

namespace ovantis {

class RandomSource;

// The Time page's settings; a default-constructed value is the page's
// start-up state.
struct TimeSettings {
    bool runExternal = false;
    std::string command;
    std::int32_t minDelay = 500;
    std::int32_t maxDelay = 3000;
    std::int32_t count = 10;
    // Lines in ISO 8601 with their offset from UTC.
    bool iso = false;
};

// The programs a run's events may have running at once: an event that would
// start one more waits for one of them to end, so a run of short delays and
// long programs cannot fill the process table.
inline constexpr int kMostProgramsRunning = 64;

// The delay before the next event, in milliseconds; a negative one counts as none.
int drawDelay(const TimeSettings& settings, RandomSource& random);

// The line an event logs: "YYYY-MM-DD   HH:MM:SS", or in ISO 8601
// "YYYY-MM-DDTHH:MM:SS+HH:MM".
std::string eventLine(const LocalTime& time, bool iso = false);

}  // namespace ovantis
