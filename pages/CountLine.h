#pragma once

#include <cstdint>
#include <string>

#include "BigCount.h"
#include "Language.h"

namespace ovantis {

class NumberGenerator;
class PatternGenerator;
class StringGenerator;

// Counts of more bits than this are told by their bits alone: their digits
// would fill screens.
inline constexpr std::uint64_t kMostCountBits = 1 << 14;

// How many lines there are to draw from, grouped, and their bits.
std::string countLine(const BigCount& count, Language language);
// A count told by its bits alone.
std::string bitsLine(double bits, Language language);
// A built template's count line, after its product when there is one.
std::string countLine(const PatternGenerator& generator, Language language);
// The lines the settings allow, by their bits alone when too many to write out.
std::string countLine(const StringGenerator& generator, Language language);
std::string countLine(const NumberGenerator& generator, Language language);
// The whole number with a comma between groups of three digits.
std::string grouped(const BigCount& value);

}  // namespace ovantis
