#pragma once

#include <algorithm>
#include <string>

namespace ovantis::test {

// The number of lines in a CR LF text; a final line without CR LF counts too.
inline std::size_t lineCount(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = 0; at < text.size(); ++n) {
        at = std::min(text.find("\r\n", at), text.size()) + 2;
    }
    return n;
}

}  // namespace ovantis::test
