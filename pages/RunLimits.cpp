#include "RunLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Notices.h"
#include "NumberGenerator.h"
#include "PatternFields.h"
#include "PatternGenerator.h"
#include "SettingsCheck.h"
#include "StringFields.h"
#include "StringGenerator.h"

namespace ovantis {
namespace {

std::string figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// Bytes as a rough figure a reader takes in at once, rounded up.
std::string roughSize(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
    constexpr std::uint64_t kGiB = kMiB << 10;
    if (bytes < 10 * kGiB) {
        return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
    }
    return std::to_string((bytes + kGiB - 1) / kGiB) + " GiB";
}

}  // namespace

Refusal refuseSlow(const StringSettings& s, const StringGenerator& generator) {
    // Characters drawn in vain for one line kept.
    constexpr double kMostWasted = 1 << 26;
    const double meanLength =
        std::max(0.0, (static_cast<double>(s.minLength) + s.maxLength) / 2) + 1;
    double draws = generator.drawsPerLine();
    if ((draws - 1) * meanLength > kMostWasted) {
        const char* field = rowOf<StringSettings>(kStringFields, &StringSettings::eachClass).names;
        if (std::isinf(draws)) {
            return {.kind = Refusal::Kind::EachClassNever,
                    .notice = notices::kBadLength,
                    .field = field};
        }
        return {.kind = Refusal::Kind::EachClassRare,
                .notice = notices::kBadLength,
                .field = field,
                .values = {figure(draws)}};
    }
    if (s.unique) {
        // Drawn evenly, the last line is new once in possible / (possible - count + 1).
        const auto possible = static_cast<double>(generator.possibleLines());
        draws *= possible / (possible - s.count + 1);
        if ((draws - 1) * meanLength > kMostWasted) {
            return {.kind = Refusal::Kind::UniqueSlow,
                    .notice = notices::kBadCount,
                    .field = rowOf<StringSettings>(kStringFields, &StringSettings::count).names,
                    .values = {std::to_string(s.count), figure(draws)}};
        }
    }
    return {};
}

Refusal refuseUnique(bool unique, std::uint64_t possible, std::uint64_t classicPeriod,
                     std::int32_t count) {
    if (unique && possible < static_cast<std::uint64_t>(count)) {
        return {.kind = possible == classicPeriod ? Refusal::Kind::ClassicTooFew
                                                  : Refusal::Kind::TooFewPossible,
                .values = {std::to_string(count), std::to_string(possible)}};
    }
    return {};
}

Refusal refuseMemory(std::uint64_t needed, std::uint64_t budget, std::int32_t count) {
    if (needed > budget) {
        return {.kind = Refusal::Kind::UniqueOverBudget,
                .values = {roughSize(needed), std::to_string(count), std::to_string(budget >> 20)}};
    }
    return {};
}

Refusal refuseRun(const StringSettings& s, const StringGenerator& generator, std::uint64_t budget) {
    Refusal refusal =
        refuseUnique(s.unique, generator.possibleLines(), generator.classicPeriod(), s.count);
    if (!refusal) {
        refusal = refuseMemory(generator.memoryNeeded(s.count), budget, s.count);
    }
    return refusal ? refusal : refuseSlow(s, generator);
}

Refusal refuseRun(const NumberSettings& s, const NumberGenerator& generator, std::uint64_t budget) {
    const Refusal refusal = refuseUnique(s.unique, generator.possibleLines(),
                                         std::numeric_limits<std::uint64_t>::max(), s.count);
    return refusal ? refusal : refuseMemory(generator.memoryNeeded(s.count), budget, s.count);
}

Refusal refusePatternRun(const PatternSettings& s, const PatternGenerator& generator,
                         std::uint64_t budget) {
    if (s.count <= 0) {
        Refusal r = countTooLow(
            rowOf<PatternSettings>(kPatternFields, &PatternSettings::count).names, s.count);
        r.notice = nullptr;
        return r;
    }
    if (s.unique && generator.count() < BigCount(static_cast<std::uint64_t>(s.count))) {
        return {.kind = Refusal::Kind::TooFewPossible,
                .values = {std::to_string(s.count), generator.count().toDecimal()}};
    }
    return refuseMemory(generator.memoryNeeded(s.count), budget, s.count);
}

}  // namespace ovantis
