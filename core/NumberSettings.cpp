#include "NumberSettings.h"

#include <cmath>

#include "DecimalGrid.h"
#include "Notices.h"

namespace ovantis {

bool wholeNumbersIn(float low, float high, std::int64_t& first, std::int64_t& last) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    const double lowest = std::ceil(static_cast<double>(low));
    const double highest = std::floor(static_cast<double>(high));
    if (!(lowest >= -kTwoTo63 && highest < kTwoTo63 && lowest <= highest)) {
        return false;
    }
    first = static_cast<std::int64_t>(lowest);
    last = static_cast<std::int64_t>(highest);
    return true;
}

const char* check(const NumberSettings& s) {
    if (!s.integerOn && !s.decimalOn) {
        return notices::kNoNumberType;
    }
    if (s.decimalOn && (s.places < 0 || s.places > NumberSettings::kMaxPlaces)) {
        return notices::kBadPlaces;
    }
    std::int64_t first = 0;
    std::int64_t last = 0;
    const bool finite = std::isfinite(s.low) && std::isfinite(s.high);
    if (!finite || s.low > s.high || (s.integerOn && !wholeNumbersIn(s.low, s.high, first, last)) ||
        (s.decimalOn && DecimalGrid(s.low, s.high, s.places).empty())) {
        return notices::kBadRange;
    }
    if (s.count <= 0) {
        return notices::kBadCount;
    }
    return nullptr;
}

}  // namespace ovantis
