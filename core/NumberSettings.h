#pragma once

#include <cstdint>

#include "Bound.h"

namespace ovantis {

class RandomSource;

// The Number page's settings; a default-constructed value is the page's
// start-up state.
struct NumberSettings {
    static constexpr std::int32_t kMaxPlaces = 100;

    bool integerOn = true;
    bool decimalOn = true;
    Bound low = 80.0f;
    Bound high = 100.0f;
    std::int32_t count = 10;
    std::int32_t places = 2;
    // No line repeats within a generator's run.
    bool unique = false;
    // Prints how many lines the settings allow instead of lines.
    bool info = false;
    // The bounds count as typed; otherwise as their single-precision values.
    // Set by readBoundsBy.
    bool boundsAsTyped = false;

    // A bound as these settings read it: as typed, or as the shortest decimal
    // of its single-precision value.
    Bound asRead(const Bound& bound) const { return boundsAsTyped ? bound : bound.single(); }
};

// The secure source reads the bounds as typed; the classic source as their
// single-precision values, as it always has, so a seed's lines never change.
NumberSettings readBoundsBy(NumberSettings settings, const RandomSource& random);

// The whole numbers inside the range as the settings read it, as 64-bit
// bounds; false when there are none or they do not fit.
bool wholeNumbersIn(const NumberSettings& settings, std::int64_t& first, std::int64_t& last);

}  // namespace ovantis
