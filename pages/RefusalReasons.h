#pragma once

#include <string>

#include "Language.h"
#include "Refusal.h"
#include "SchemaReader.h"

namespace ovantis {

// Why settings are refused, in the options' words, with the template's column
// where it names one.
std::string reasonOf(const Refusal& refusal, Language language);
// The same for the window, which names its own limits, not the options
// that raise them on the command line.
std::string windowReasonOf(const Refusal& refusal, Language language);
// A schema's reason, already worded, after the column and place it points at.
std::string schemaReasonOf(const SchemaRefusal& refusal, const std::string& reason,
                           Language language);

}  // namespace ovantis
