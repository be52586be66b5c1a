#include "LocalClock.h"

namespace ovantis::sys {

std::tm LocalClock::now() {
    int offset = 0;
    return now(offset);
}

std::tm LocalClock::now(int& offsetMinutes) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    std::tm utc{};
    // The two C runtimes spell the thread-safe forms differently.
#ifdef _WIN32
    localtime_s(&local, &now);
    gmtime_s(&utc, &now);
#else
    localtime_r(&now, &local);
    gmtime_r(&now, &utc);
#endif
    // The two readings differ by less than a day, across a year's end too.
    int days = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) {
        days = local.tm_year > utc.tm_year ? 1 : -1;
    }
    offsetMinutes = ((days * 24 + local.tm_hour - utc.tm_hour) * 60) + local.tm_min - utc.tm_min;
    return local;
}

}  // namespace ovantis::sys
