#pragma once

#include <cstdint>
#include <string>

namespace ovantis {

// The String page's settings; a default-constructed value is the page's
// start-up state.
struct StringSettings {
    bool upper = true;
    bool lower = true;
    bool digits = false;
    std::string head;
    std::string tail;
    std::int32_t minLength = 5;
    std::int32_t maxLength = 8;
    std::int32_t count = 10;
};

// The notice that rejects the settings, or nullptr when they are usable.
const char* check(const StringSettings& settings);

}  // namespace ovantis
