#pragma once

#include <string>

#include "BigCount.h"
#include "Language.h"

namespace ovantis {

class PatternGenerator;

// How many lines there are to draw from, grouped, and their bits.
std::string countLine(const BigCount& count, Language language);
// A built template's count line, after its product when there is one.
std::string countLine(const PatternGenerator& generator, Language language);
// The whole number with a comma between groups of three digits.
std::string grouped(const BigCount& value);

}  // namespace ovantis
