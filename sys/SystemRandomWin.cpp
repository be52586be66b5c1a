#include "SystemRandom.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <climits>
#include <system_error>

namespace ovantis::sys {

void SystemRandom::fill(std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ULONG part = static_cast<ULONG>(std::min<std::size_t>(size, ULONG_MAX));
        const NTSTATUS status =
            ::BCryptGenRandom(nullptr, data, part, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
        if (!BCRYPT_SUCCESS(status)) {
            throw std::system_error(static_cast<int>(status), std::system_category());
        }
        data += part;
        size -= part;
    }
}

}  // namespace ovantis::sys
