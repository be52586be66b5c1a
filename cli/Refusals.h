#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Language.h"
#include "Refusal.h"

namespace ovantis::cli {

// How the options were typed: a row's long name, and the words that name it
// to the user ("--count" as "-n", "--max-length" as "--length MAX").
using ShownNames = std::vector<std::pair<std::string, std::string>>;

// The page's notice, then why; or only why for a run's own limits. Options
// are named as typed.
std::string worded(Refusal refusal, Language language, const ShownNames& shown = {});

}  // namespace ovantis::cli
