#pragma once

#include <string>

namespace ovantis {

// A date column: instants between two ends, in one time zone, printed in a
// format. Ends and zone are text as typed; the column checks them.
struct DateSettings {
    std::string low = "2000-01-01";
    std::string high = "2029-12-31T23:59:59";
    std::string format = "%Y-%m-%dT%H:%M:%S%:z";
    std::string zone = "UTC";
};

}  // namespace ovantis
