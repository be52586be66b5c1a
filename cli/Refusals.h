#pragma once

#include <string>

#include "Language.h"
#include "Refusal.h"

namespace ovantis::cli {

// Why the settings are refused, naming the option at fault.
std::string why(const Refusal& refusal, Language language);
// The page's notice, then why; or only why for a run's own limits.
std::string worded(const Refusal& refusal, Language language);

}  // namespace ovantis::cli
