#include "SystemRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <system_error>

#include "Signals.h"

namespace ovantis::sys {

void SystemRandom::fill(std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        // Flags 0: blocks only until the kernel's pool is first ready.
        const ssize_t got = ::getrandom(data, size, 0);
        if (got < 0) {
            if (errno == EINTR && !Signals::stopRequested()) {
                continue;
            }
            throw std::system_error(errno, std::generic_category());
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
}

}  // namespace ovantis::sys
