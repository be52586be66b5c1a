#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Bound.h"
#include "CliTexts.h"
#include "UsageError.h"

namespace ovantis::cli {

// Strict readers for option values: the whole text must be the number, in
// constant stack whatever its length; an empty value is an error too.
// A whole number out of the 32-bit range is refused with outside.
std::int32_t parseWhole(const std::string& option, const std::string& text,
                        const Text& outside = texts::kOutsideInt);
Bound parseDecimal(const std::string& option, const std::string& text);
// A seed 0..4294967295, or nothing for "now".
std::optional<std::uint32_t> parseSeed(const std::string& text);
// A value as a message shows it: escaped, and cut when long.
std::string quoted(const std::string& text);

}  // namespace ovantis::cli
