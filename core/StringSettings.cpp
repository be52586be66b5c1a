#include "StringSettings.h"

#include "CharacterSet.h"
#include "Notices.h"
#include "StringFields.h"

namespace ovantis {

Refusal check(const StringSettings& s) {
    using Kind = Refusal::Kind;
    const auto row = [](auto member) { return rowOf<StringSettings>(kStringFields, member).names; };
    CharacterSet set;
    const std::pair<std::string StringSettings::*, CharacterSet::TextCheck> texts[] = {
        {&StringSettings::charset, CharacterSet::parse(s.charset, set)},
        {&StringSettings::exclude, CharacterSet::parse(s.exclude, set, true)},
        {&StringSettings::head, CharacterSet::checkVerbatim(s.head)},
        {&StringSettings::tail, CharacterSet::checkVerbatim(s.tail)},
    };
    for (const auto& [member, textCheck] : texts) {
        if (textCheck.fault != CharacterSet::Fault::None) {
            return CharacterSet::refusal(textCheck, row(member));
        }
    }
    std::vector<CharacterSet> classes;
    if (!CharacterSet::build(s, classes)) {
        return {.kind = Kind::NoCharClass, .notice = notices::kNoCharClass};
    }
    const char* high = row(&StringSettings::maxLength);
    if (s.maxLength < s.minLength) {
        return maxBelowMin(notices::kBadLength, high, row(&StringSettings::minLength), s.minLength,
                           s.maxLength);
    }
    if (s.eachClass && s.maxLength < static_cast<std::int32_t>(classes.size())) {
        return {.kind = Kind::EachClassShort,
                .notice = notices::kBadLength,
                .field = high,
                .values = {std::to_string(classes.size()), std::to_string(s.maxLength)}};
    }
    if (s.count <= 0) {
        return countTooLow(row(&StringSettings::count), s.count);
    }
    return {};
}

}  // namespace ovantis
