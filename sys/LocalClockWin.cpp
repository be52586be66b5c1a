#include "LocalClock.h"

namespace ovantis::sys {

std::tm LocalClock::now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}

}  // namespace ovantis::sys
