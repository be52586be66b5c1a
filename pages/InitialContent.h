#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ovantis {

// What a page's controls hold when the page starts, for the front end to fill in.
struct InitialContent {
    std::vector<std::pair<int, std::string>> texts;
    std::vector<std::pair<int, bool>> checks;
    std::vector<std::pair<int, bool>> enabled;
};

}  // namespace ovantis
