#pragma once

#include <ctime>

namespace ovantis::sys {

// The local date and time, in the system's time zone, read thread-safely.
class LocalClock {
  public:
    static std::tm now();
};

}  // namespace ovantis::sys
