#pragma once

#include <cstdint>

#include "NumberSettings.h"
#include "PatternSettings.h"
#include "Refusal.h"
#include "StringSettings.h"

namespace ovantis {

class NumberGenerator;
class PatternGenerator;
class StringGenerator;

// Refuses String settings whose lines would take seconds of redraws each:
// --each-class lines too rare among those drawn, or the last --unique lines
// too few among those possible.
Refusal refuseSlow(const StringSettings& settings, const StringGenerator& generator);

// A --unique run asking for more lines than possible (classicPeriod names the
// classic source's period where that is the bound).
Refusal refuseUnique(bool unique, std::uint64_t possible, std::uint64_t classicPeriod,
                     std::int32_t count);
// A --unique run needing more memory than the budget.
Refusal refuseMemory(std::uint64_t needed, std::uint64_t budget, std::int32_t count);

// A run of the settings' lines from their generator: as refuseUnique, then
// refuseMemory, then (strings) refuseSlow.
Refusal refuseRun(const StringSettings& settings, const StringGenerator& generator,
                  std::uint64_t budget);
Refusal refuseRun(const NumberSettings& settings, const NumberGenerator& generator,
                  std::uint64_t budget);

// A run of lines from a built template: its count, then as refuseUnique and
// refuseMemory.
Refusal refusePatternRun(const PatternSettings& settings, const PatternGenerator& generator,
                         std::uint64_t budget);

}  // namespace ovantis
