#pragma once

#include <string>
#include <vector>

namespace ovantis::cli {

// The closest of the names within two edits, or empty.
std::string closest(const std::string& typed, const std::vector<std::string>& names);

}  // namespace ovantis::cli
