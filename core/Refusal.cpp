#include "Refusal.h"

#include <cstdio>
#include <string_view>

#include "Notices.h"

namespace ovantis {

std::string longName(const char* names) {
    const std::string_view all = names != nullptr ? names : "";
    return std::string(all.substr(all.rfind(',') + 1));
}

Refusal maxBelowMin(const char* notice, const char* high, const char* low, std::int32_t lowEnd,
                    std::int32_t highEnd) {
    return {
        .kind = Refusal::Kind::MaxBelowMin,
        .notice = notice,
        .field = high,
        .values = {longName(high), longName(low), std::to_string(lowEnd), std::to_string(highEnd)}};
}

Refusal countTooLow(const char* field, std::int32_t count) {
    return {.kind = Refusal::Kind::CountTooLow,
            .notice = notices::kBadCount,
            .field = field,
            .values = {std::to_string(count)}};
}

std::string codePoint(std::uint32_t point) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    return code;
}

Refusal& describeTemplateRefusal(Refusal& r, const char* patternValueName) {
    using Kind = Refusal::Kind;
    r.notice = notices::kBadPattern;
    const std::string figure = std::to_string(r.figure);
    switch (r.kind) {
        case Kind::NotUtf8:
            r.values = {patternValueName};
            break;
        case Kind::OpenRepeat:
            r.values = {"'" + r.found + "'",
                        "{" + figure + "," + std::to_string(r.figure + 8) + "}"};
            break;
        case Kind::ControlCharacter:
            r.values = {codePoint(static_cast<std::uint32_t>(r.figure))};
            break;
        case Kind::TooDeep:
        case Kind::PatternTooLong:
        case Kind::LineTooLong:
        case Kind::TooManyStates:
            r.values = {figure};
            break;
        case Kind::CountingOverBudget:
            r.values = {std::to_string(r.figure >> 20)};
            break;
        default:
            r.values = {"'" + r.found + "'"};
            break;
    }
    return r;
}

}  // namespace ovantis
