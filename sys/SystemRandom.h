#pragma once

#include <cstddef>

namespace ovantis::sys {

// Fills buffer with size bytes from the operating system's secure random
// source; false when the system could not give them.
bool systemRandom(void* buffer, std::size_t size);

}  // namespace ovantis::sys
