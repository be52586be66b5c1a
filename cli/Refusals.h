#pragma once

#include <string>

#include "Language.h"
#include "Refusal.h"

namespace ovantis::cli {

// The page's notice, then why; or only why for a run's own limits.
std::string worded(const Refusal& refusal, Language language);

}  // namespace ovantis::cli
