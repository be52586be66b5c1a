#pragma once

#include <cstddef>
#include <cstdint>

namespace ovantis::sys {

// The operating system's own random source, the key source of the secure
// generator (ovantis::KeySource). Linux: getrandom(2), waiting until the
// kernel's pool is ready. Windows: BCryptGenRandom with the system-preferred
// generator (SystemRandomWin.cpp).
class SystemRandom {
  public:
    // Fills size bytes, or throws std::system_error; never a weaker source.
    static void fill(std::uint8_t* data, std::size_t size);
};

}  // namespace ovantis::sys
