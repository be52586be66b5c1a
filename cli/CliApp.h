#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "EntropyPool.h"
#include "SystemRandom.h"

namespace CLI {
class App;
}

namespace ovantis::cli {

// Exit statuses of ovantis-cli; 128 + N when signal N ended the run.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIo = 1;
inline constexpr int kExitUsage = 2;

// Runs ovantis-cli with the arguments after the program name. Generated lines
// go to out (or to -o FILE); notices and errors to err. The secure source is
// keyed from keys.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        KeySource keys = sys::SystemRandom::fill);

// The command line run() parses, configured but never run: the manual pages
// and shell completions are made from it.
std::shared_ptr<const CLI::App> describe();

}  // namespace ovantis::cli
