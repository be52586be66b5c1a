#pragma once

#include <cstddef>
#include <cstdint>

namespace ovantis::test {

// Key bytes for the secure source in tests: fixed, so its runs repeat.
inline void testKeys(std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
}

}  // namespace ovantis::test
