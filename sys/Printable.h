#pragma once

#include <string>
#include <string_view>

namespace ovantis::sys {

// Text the user gave (a file or program name, an option's value) as a message
// may show it: control characters, line and paragraph separators, bidi
// controls and bytes that are not UTF-8 become escapes (\n, \t, \r, \xHH,
// \uHHHH), so an echoed value can neither steer the terminal nor hide.
std::string printable(std::string_view text);

}  // namespace ovantis::sys
