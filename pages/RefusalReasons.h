#pragma once

#include <string>

#include "Language.h"
#include "Refusal.h"

namespace ovantis {

// Why settings are refused, in the options' words, with the template's column
// where it names one.
std::string reasonOf(const Refusal& refusal, Language language);

}  // namespace ovantis
