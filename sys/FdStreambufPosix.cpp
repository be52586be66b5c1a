#include "FdStreambuf.h"

#include <unistd.h>

#include <cerrno>

#include "Signals.h"

namespace ovantis::sys {

bool FdStreambuf::writeFd(int fd, const char* data, std::size_t size, bool stoppable) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno != EINTR) {
            return false;
        }
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        // A reader that takes nothing must not hold a run asked to stop.
        if (size > 0 && stoppable && Signals::stopRequested()) {
            errno = EINTR;
            return false;
        }
    }
    return true;
}

}  // namespace ovantis::sys
