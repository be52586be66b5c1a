#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "SystemReason.h"

namespace ovantis::sys {

// Reads a whole file of at most limit bytes. A larger file is refused as too
// large, so a wrong path cannot exhaust memory.
std::optional<SystemReason> readFile(const std::string& path, std::size_t limit, std::string& text);
// The reason readFile gives for a file beyond its limit, which a message
// should name.
SystemReason fileTooLarge();

}  // namespace ovantis::sys
