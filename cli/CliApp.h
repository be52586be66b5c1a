#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "EntropyPool.h"
#include "RandomSource.h"
#include "SystemRandom.h"

namespace ovantis::cli {

// Exit statuses of ovantis-cli; 128 + N when signal N ended the run.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIo = 1;
inline constexpr int kExitUsage = 2;

// Runs ovantis-cli with the arguments after the program name. Generated lines
// go to out (or to -o FILE); notices and errors to err. The secure source is
// keyed from keys; clock gives the current second (by default the system's).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        KeySource keys = sys::SystemRandom::fill, RandomSource::Clock clock = {});

}  // namespace ovantis::cli
