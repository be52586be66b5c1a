#pragma once

#include <string>
#include <string_view>

namespace ovantis::sys {

// Text is UTF-8 inside the program and UTF-16 at the Windows API; invalid
// UTF-8 becomes U+FFFD, as does a lone surrogate on the way back.
std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);

}  // namespace ovantis::sys
