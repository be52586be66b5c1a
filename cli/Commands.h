#pragma once

#include <ostream>

#include "EntropyPool.h"
#include "LocaleText.h"
#include "RandomSource.h"
#include "Request.h"

namespace ovantis::cli {

// Runs the request's command: checks its settings, then writes its lines to
// their destination; --info lines in the locale's encoding, as messages.
// Returns the exit status.
int runRequest(const Request& request, const KeySource& keys, const RandomSource::Clock& clock,
               std::ostream& out, std::ostream& err, Language language,
               const sys::LocaleText& encoding);

}  // namespace ovantis::cli
