#include "LocalClock.h"

namespace ovantis::sys {

std::tm LocalClock::now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The two C runtimes spell the thread-safe form differently.
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

}  // namespace ovantis::sys
