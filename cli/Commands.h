#pragma once

#include <ostream>

#include "EntropyPool.h"
#include "RandomSource.h"
#include "Request.h"

namespace ovantis::cli {

// Runs the request's command: checks its settings, then writes its lines to
// their destination. Returns the exit status.
int runRequest(const Request& request, const KeySource& keys, const RandomSource::Clock& clock,
               std::ostream& out, std::ostream& err, Language language);

}  // namespace ovantis::cli
