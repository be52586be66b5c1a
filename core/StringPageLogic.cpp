#include "StringPageLogic.h"

#include "ControlIds.h"
#include "SettingFields.h"

namespace ovantis {

StringPageLogic::StringPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, {ids::kStringOutput, ids::kStringGenerate, ids::kStringExport}) {}

InitialContent StringPageLogic::initialContent() {
    const StringSettings start;
    return {{{ids::kMinLength, std::to_string(start.minLength)},
             {ids::kMaxLength, std::to_string(start.maxLength)},
             {ids::kStringCount, std::to_string(start.count)}},
            {{ids::kUpper, start.upper}, {ids::kLower, start.lower}, {ids::kDigits, start.digits}},
            {}};
}

bool StringPageLogic::Validate() {
    PageHost& h = host();
    StringSettings s;
    s.upper = h.checkState(ids::kUpper) != 0;
    s.lower = h.checkState(ids::kLower) != 0;
    s.digits = h.checkState(ids::kDigits) != 0;
    s.head = h.getText(ids::kHead);
    s.tail = h.getText(ids::kTail);
    s.minLength = ReadIntField(h.getText(ids::kMinLength));
    s.maxLength = ReadIntField(h.getText(ids::kMaxLength));
    s.count = ReadIntField(h.getText(ids::kStringCount));
    return accept(s, m_settings, m_generator);
}

}  // namespace ovantis
