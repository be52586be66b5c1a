#include "NumberPageLogic.h"

#include <charconv>

#include "ControlIds.h"
#include "SettingFields.h"

namespace ovantis {
namespace {

std::string shortest(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

NumberPageLogic::NumberPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, {ids::kNumberOutput, ids::kNumberGenerate, ids::kNumberExport}) {}

InitialContent NumberPageLogic::initialContent() {
    const NumberSettings start;
    return {{{ids::kLow, shortest(start.low)},
             {ids::kHigh, shortest(start.high)},
             {ids::kNumberCount, std::to_string(start.count)},
             {ids::kPlaces, std::to_string(start.places)}},
            {{ids::kIntegerOn, start.integerOn}, {ids::kDecimalOn, start.decimalOn}},
            {{ids::kPlaces, start.decimalOn}}};
}

bool NumberPageLogic::Validate() {
    PageHost& h = host();
    NumberSettings s;
    s.integerOn = h.checkState(ids::kIntegerOn) != 0;
    s.decimalOn = h.checkState(ids::kDecimalOn) != 0;
    s.low = ReadFloatField(h.getText(ids::kLow));
    s.high = ReadFloatField(h.getText(ids::kHigh));
    s.count = ReadIntField(h.getText(ids::kNumberCount));
    // The places field is read only while decimals are on.
    if (s.decimalOn) {
        s.places = ReadIntField(h.getText(ids::kPlaces));
    }
    return accept(s, m_settings, m_generator);
}

void NumberPageLogic::OnFloatToggled() {
    host().enable(ids::kPlaces, host().checkState(ids::kDecimalOn) != 0);
}

}  // namespace ovantis
