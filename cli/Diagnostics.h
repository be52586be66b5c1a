#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Language.h"
#include "NumberSettings.h"
#include "PatternRefusal.h"
#include "PatternSettings.h"
#include "StringSettings.h"
#include "TimeSettings.h"

namespace ovantis {
class StringGenerator;
}

namespace ovantis::cli {

// Why the page's notice refuses the settings, in the options' words.
std::string explain(const char* notice, const StringSettings& s, Language language);
std::string explain(const char* notice, const NumberSettings& s, Language language);
std::string explain(const char* notice, const TimeSettings& s, Language language);

// Why a template is refused, with the column at fault when there is one.
std::string explain(const PatternRefusal& refusal, const PatternSettings& s, Language language);

// Refuses String settings whose lines would take seconds of redraws each:
// --each-class lines too rare among those drawn, or the last --unique lines
// too few among those possible. Gives the notice and sets why, or nullptr.
const char* tooSlow(const StringSettings& s, const StringGenerator& generator, Language language,
                    std::string& why);

// Why a --unique run cannot be made, or empty: too few lines possible (the
// classic source's period named where it is the bound), or more memory
// needed than the budget allows.
std::string refuseUnique(bool unique, std::uint64_t possible, std::uint64_t classicPeriod,
                         std::int32_t count, Language language);
std::string refuseMemory(std::uint64_t needed, std::uint64_t budget, std::int32_t count,
                         Language language);

// The closest of the names within two edits, or empty.
std::string closest(const std::string& typed, const std::vector<std::string>& names);

}  // namespace ovantis::cli
