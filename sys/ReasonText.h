#pragma once

#include <string>

#include "Language.h"
#include "SystemReason.h"

namespace ovantis::sys {

// The reason in the language asked for, with no final full stop: the system's
// own words where it has them in that language (the C library's translation;
// FormatMessage on Windows), else the list of texts, else the number.
std::string describe(const SystemReason& reason, Language language);

// The system's words for its error number (errno; GetLastError on Windows).
std::string systemWords(int error, Language language);

}  // namespace ovantis::sys
