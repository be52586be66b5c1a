#include "SystemRandom.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <climits>

namespace ovantis::sys {

bool systemRandom(void* buffer, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ULONG part = static_cast<ULONG>(std::min<std::size_t>(size, ULONG_MAX));
        if (!BCRYPT_SUCCESS(
                ::BCryptGenRandom(nullptr, bytes, part, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
            return false;
        }
        bytes += part;
        size -= part;
    }
    return true;
}

}  // namespace ovantis::sys
