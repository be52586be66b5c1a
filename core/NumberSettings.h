#pragma once

#include <cstdint>

namespace ovantis {

// The Number page's settings; a default-constructed value is the page's
// start-up state.
struct NumberSettings {
    static constexpr std::int32_t kMaxPlaces = 100;

    bool integerOn = true;
    bool decimalOn = true;
    float low = 80.0f;
    float high = 100.0f;
    std::int32_t count = 10;
    std::int32_t places = 2;
    // No line repeats within a generator's run.
    bool unique = false;
};

// The notice that rejects the settings, or nullptr when they are usable. A
// range is refused when it holds nothing to draw: no whole number for
// integers, no decimal with the given places for decimals.
const char* check(const NumberSettings& settings);

// The whole numbers inside [low, high] as 64-bit bounds; false when there are
// none or they do not fit.
bool wholeNumbersIn(float low, float high, std::int64_t& first, std::int64_t& last);

}  // namespace ovantis
