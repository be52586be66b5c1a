#pragma once

#include <string>

#include "Command.h"

namespace ovantis::docs {

// A manual page: the prose of a template around what is read from the
// command line. Lines of the template that are one of these are replaced:
//   @NAME@          the name and the summary
//   @SYNOPSIS@      every command with its options
//   @COMMANDS@      the subcommands with their help
//   @OPTIONS@       every option, those common to all subcommands once
//   @PARAGRAPH T@   the help's paragraph titled T
//   @FOOTER@        the closing paragraphs of the help
//   @EXAMPLES@      the subcommands' examples
// and @VERSION@ anywhere is the version. The template's comments are left out.
class ManPage {
  public:
    static std::string render(const std::string& pageTemplate, const Command& command,
                              const std::string& version);
    // Text set as itself in roff: no requests, no escapes, ASCII dashes and quotes.
    static std::string escape(const std::string& text);
};

}  // namespace ovantis::docs
