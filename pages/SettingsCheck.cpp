#include "SettingsCheck.h"

#include <cstdio>
#include <new>

#include "CharacterSet.h"
#include "DecimalGrid.h"
#include "Notices.h"
#include "NumberFields.h"
#include "PatternFields.h"
#include "PatternGenerator.h"
#include "StringFields.h"
#include "TimeFields.h"

namespace ovantis {
namespace {

// A code point as U+XXXX.
std::string codePoint(std::uint32_t point) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    return code;
}

// A range whose high end, in the row named high, is below its low end.
Refusal maxBelowMin(const char* notice, const char* high, const char* low, std::int32_t lowEnd,
                    std::int32_t highEnd) {
    return {
        .kind = Refusal::Kind::MaxBelowMin,
        .notice = notice,
        .field = high,
        .values = {longName(high), longName(low), std::to_string(lowEnd), std::to_string(highEnd)}};
}

// Fills in a template refusal's notice and values from its found text and figure.
Refusal& describeTemplate(Refusal& r, const char* patternValueName) {
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
        case Kind::TooManyNodes:
        case Kind::TooMuchWork:
            r.values = {figure};
            break;
        case Kind::CountingOverBudget:
            r.values = {std::to_string(r.figure >> 20)};
            break;
        case Kind::Stopped:
        case Kind::OutOfMemory:
            break;
        default:
            r.values = {"'" + r.found + "'"};
            break;
    }
    return r;
}

// The refusal of a character-set text in the row named field.
Refusal textRefusal(const CharacterSet::TextCheck& check, const char* field) {
    Refusal r{.kind = CharacterSet::refusalKind(check.fault),
              .notice = notices::kBadCharset,
              .field = field,
              .values = {longName(field)}};
    if (check.fault == CharacterSet::Fault::Control) {
        r.values.push_back(codePoint(check.point));
    }
    return r;
}

}  // namespace

Refusal countTooLow(const char* field, std::int32_t count) {
    return {.kind = Refusal::Kind::CountTooLow,
            .notice = notices::kBadCount,
            .field = field,
            .values = {std::to_string(count), longName(field)}};
}

Refusal check(const StringSettings& s) {
    using Kind = Refusal::Kind;
    const auto row = [](auto member) { return rowOf<StringSettings>(kStringFields, member).names; };
    CharacterSet set;
    const std::pair<std::string StringSettings::*, CharacterSet::TextCheck> texts[] = {
        {&StringSettings::charset, CharacterSet::parse(s.charset, set)},
        {&StringSettings::exclude, CharacterSet::parse(s.exclude, set, true)},
        {&StringSettings::head, CharacterSet::checkVerbatim(s.head)},
        {&StringSettings::tail, CharacterSet::checkVerbatim(s.tail)},
        {&StringSettings::separator, CharacterSet::checkVerbatim(s.separator)},
    };
    for (const auto& [member, textCheck] : texts) {
        if (textCheck.fault != CharacterSet::Fault::None) {
            return textRefusal(textCheck, row(member));
        }
    }
    std::vector<CharacterSet> classes;
    if (!CharacterSet::build(s, classes) && !s.passphrase) {
        return {.kind = Kind::NoCharClass, .notice = notices::kNoCharClass};
    }
    const char* high = row(&StringSettings::maxLength);
    if (s.maxLength < s.minLength) {
        return maxBelowMin(notices::kBadLength, high, row(&StringSettings::minLength), s.minLength,
                           s.maxLength);
    }
    if (s.eachClass && !s.passphrase && s.maxLength < static_cast<std::int32_t>(classes.size())) {
        return {.kind = Kind::EachClassShort,
                .notice = notices::kBadLength,
                .field = high,
                .values = {std::to_string(classes.size()), std::to_string(s.maxLength),
                           longName(high)}};
    }
    if (s.count <= 0) {
        return countTooLow(row(&StringSettings::count), s.count);
    }
    return {};
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
    const char* low = row(&NumberSettings::low);
    const std::vector<std::string> bounds = {longName(low), longName(row(&NumberSettings::high))};
    Refusal range{.notice = notices::kBadRange, .field = low, .values = bounds};
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
        range.values.insert(range.values.begin(), std::to_string(s.places));
    }
    if (range) {
        return range;
    }
    if (s.count <= 0) {
        return countTooLow(row(&NumberSettings::count), s.count);
    }
    return {};
}

Refusal check(const TimeSettings& s) {
    const auto row = [](auto member) { return rowOf<TimeSettings>(kTimeFields, member).names; };
    if (s.runExternal && s.command.empty()) {
        return {.kind = Refusal::Kind::NoProgram,
                .notice = notices::kNoCommand,
                .field = row(&TimeSettings::command)};
    }
    if (s.maxDelay < s.minDelay) {
        return maxBelowMin(notices::kBadDelay, row(&TimeSettings::maxDelay),
                           row(&TimeSettings::minDelay), s.minDelay, s.maxDelay);
    }
    if (s.count <= 0) {
        return countTooLow(row(&TimeSettings::count), s.count);
    }
    return {};
}

Refusal build(PatternGenerator& generator, const PatternSettings& s, std::uint64_t budget,
              const StopCheck& stop) {
    const auto row = [](auto member) -> const PageField<PatternSettings>& {
        return rowOf<PatternSettings>(kPatternFields, member);
    };
    CharacterSet set;
    const std::pair<std::string PatternSettings::*, CharacterSet::TextCheck> options[] = {
        {&PatternSettings::charset, CharacterSet::parse(s.charset, set)},
        {&PatternSettings::exclude, CharacterSet::parse(s.exclude, set, true)},
    };
    for (const auto& [member, option] : options) {
        if (option.fault != CharacterSet::Fault::None) {
            Refusal r = textRefusal(option, row(member).names);
            r.notice = notices::kBadPattern;
            return r;
        }
    }
    Refusal r;
    try {
        r = generator.build(s, budget, stop);
    } catch (const std::bad_alloc&) {
        // Memory that ran out before the budget did: refused like the budget,
        // never the end of a window and its output.
        r = {.kind = Refusal::Kind::OutOfMemory};
    }
    return r ? describeTemplate(r, row(&PatternSettings::pattern).valueName) : r;
}

}  // namespace ovantis
