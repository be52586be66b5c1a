#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace ovantis::cli {

// A mistake in the command line: exit status 2 with this message.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Strict readers for option values: the whole text must be the number, in
// constant stack whatever its length; an empty value is an error too.
std::int32_t parseWhole(const std::string& option, const std::string& text);
float parseDecimal(const std::string& option, const std::string& text);
// A seed 0..4294967295, or nothing for "now".
std::optional<std::uint32_t> parseSeed(const std::string& text);

}  // namespace ovantis::cli
