#pragma once

#include <string>

namespace ovantis::sys {

// The language of the user's desktop as the system reports it ("zh", "en"),
// for a program started without locale variables, as on Windows; empty where
// the locale variables alone decide (POSIX).
std::string userLanguage();

}  // namespace ovantis::sys
