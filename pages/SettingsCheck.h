#pragma once

#include <cstdint>

#include "NumberSettings.h"
#include "PatternSettings.h"
#include "Refusal.h"
#include "StopCheck.h"
#include "StringSettings.h"
#include "TimeSettings.h"

namespace ovantis {

class PatternGenerator;

// Why a page's settings cannot be used, with the page's notice and the row at
// fault, or no refusal. A number range is refused when it holds nothing to
// draw: no whole number for integers, no decimal with the given places for
// decimals; only bounds beyond single precision for their size alone.
Refusal check(const StringSettings& settings);
Refusal check(const NumberSettings& settings);
Refusal check(const TimeSettings& settings);

// Builds the generator from the Pattern page's settings, or says why it cannot;
// stop is asked now and then while the template's automaton is built.
Refusal build(PatternGenerator& generator, const PatternSettings& settings, std::uint64_t budget,
              const StopCheck& stop = {});

// A count below 1, in the row named field.
Refusal countTooLow(const char* field, std::int32_t count);

}  // namespace ovantis
