#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovantis {

// A notice a page shows, as data: each host words it in its language.
struct Notice {
    const char* text = nullptr;           // one of pages/Notices.h
    std::vector<std::int64_t> figures{};  // for %1, %2 ... in order
    // A further line shown as it is: a name, or a reason already worded.
    std::string detail{};
};

}  // namespace ovantis
