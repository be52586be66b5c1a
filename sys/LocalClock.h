#pragma once

#include <ctime>

namespace ovantis::sys {

// The local date and time, in the system's time zone, read thread-safely.
class LocalClock {
  public:
    static std::tm now();
    // The same, with how far the local time is ahead of UTC.
    static std::tm now(int& offsetMinutes);
};

}  // namespace ovantis::sys
