#pragma once

#include <string>

#include "Command.h"

namespace ovantis::docs {

// Shell completion scripts offering every subcommand and option of a command
// line, and for an option's value: file names for FILE, programs for PROGRAM,
// nothing for the rest.
class Completions {
  public:
    static std::string bash(const Command& command);
    static std::string zsh(const Command& command);
    static std::string fish(const Command& command);
};

}  // namespace ovantis::docs
