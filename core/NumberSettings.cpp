#include "NumberSettings.h"

#include <cmath>

#include "DecimalGrid.h"
#include "Notices.h"
#include "NumberFields.h"
#include "RandomSource.h"

namespace ovantis {

NumberSettings readBoundsBy(NumberSettings settings, const RandomSource& random) {
    settings.boundsAsTyped = random.secure();
    return settings;
}

bool wholeNumbersIn(const NumberSettings& s, std::int64_t& first, std::int64_t& last) {
    if (s.boundsAsTyped) {
        const auto lowest = s.low.whole(true);
        const auto highest = s.high.whole(false);
        if (!lowest || !highest || *lowest > *highest) {
            return false;
        }
        first = *lowest;
        last = *highest;
        return true;
    }
    // The classic reading: the whole numbers of the float's binary value.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    const double lowest = std::ceil(static_cast<double>(s.low.single()));
    const double highest = std::floor(static_cast<double>(s.high.single()));
    if (!(lowest >= -kTwoTo63 && highest < kTwoTo63 && lowest <= highest)) {
        return false;
    }
    first = static_cast<std::int64_t>(lowest);
    last = static_cast<std::int64_t>(highest);
    return true;
}

Refusal check(const NumberSettings& s) {
    using Kind = Refusal::Kind;
    const auto row = [](auto member) { return rowOf<NumberSettings>(kNumberFields, member).names; };
    if (!s.integerOn && !s.decimalOn) {
        return {.kind = Kind::NoNumberType, .notice = notices::kNoNumberType};
    }
    if (s.decimalOn && (s.places < 0 || s.places > NumberSettings::kMaxPlaces)) {
        return {.kind = Kind::PlacesOutside,
                .notice = notices::kBadPlaces,
                .field = row(&NumberSettings::places),
                .values = {std::to_string(s.places)}};
    }
    Refusal range{.notice = notices::kBadRange, .field = row(&NumberSettings::low)};
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (!s.low.finite() || !s.high.finite()) {
        range.kind = Kind::BeyondSingle;
    } else if (s.asRead(s.low) > s.asRead(s.high)) {
        range.kind = Kind::LowAboveHigh;
    } else if (s.integerOn && !wholeNumbersIn(s, first, last)) {
        range.kind = Kind::NoWhole;
    } else if (s.decimalOn && DecimalGrid(s.asRead(s.low), s.asRead(s.high), s.places).empty()) {
        range.kind = Kind::NoDecimal;
        range.values = {std::to_string(s.places)};
    }
    if (range) {
        return range;
    }
    if (s.count <= 0) {
        return countTooLow(row(&NumberSettings::count), s.count);
    }
    return {};
}

}  // namespace ovantis
