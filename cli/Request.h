#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Language.h"
#include "NumberSettings.h"
#include "PatternSettings.h"
#include "RowsSettings.h"
#include "Refusals.h"
#include "StringSettings.h"
#include "TimeSettings.h"

namespace ovantis::cli {

enum class Command { String, Number, Time, Pattern, Rows };
enum class Source { Secure, Seeded, CurrentSecond };

// One run as the command line asks for it: the common options and the
// chosen page's settings, read but not yet checked.
struct Request {
    Command command = Command::String;
    StringSettings string;
    NumberSettings number;
    TimeSettings time;
    PatternSettings pattern;
    RowsSettings rows;
    Source source = Source::Secure;
    std::uint32_t seed = 0;
    // Empty or "-" for standard output.
    std::string output;
    bool crlf = false;
    std::uint64_t memoryBudget = 0;
    // What follows "--", for the program --exec starts.
    std::vector<std::string> execArgs;
    // The options given as the user typed them, for refusals to name.
    ShownNames shown;
};

// What the command line asks for: a run, a text to print (help, version), or
// nothing but a usage error.
struct ParseOutcome {
    enum class Kind { Run, Print, UsageError };
    Kind kind = Kind::Run;
    Request request;
    // The text to print, or the usage error's lines without "ovantis-cli: ".
    std::string text;
};

// Reads the arguments after the program name into a request; prints nothing.
ParseOutcome parseRequest(const std::vector<std::string>& args, Language language);

}  // namespace ovantis::cli
