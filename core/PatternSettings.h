#pragma once

#include <cstdint>
#include <string>

namespace ovantis {

// The Pattern page's settings; a default-constructed value is its start-up state.
struct PatternSettings {
    std::string pattern = "[A-Z]{4}-[0-9]{4}";
    // The characters . and negated classes draw from (--charset syntax);
    // empty for printable ASCII.
    std::string charset;
    // Characters removed from every class, as the String page's --exclude.
    std::string exclude;
    bool noSimilar = false;
    bool unique = false;
    // Print how many strings the pattern matches instead of lines.
    bool info = false;
    std::int32_t count = 10;
};

}  // namespace ovantis
