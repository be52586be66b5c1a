#pragma once

#include "CliTexts.h"
#include "Notices.h"
#include "NumberSettings.h"
#include "PageField.h"

namespace ovantis {

// The Number page's fields, in the order the command line's help lists them.
inline constexpr PageField<NumberSettings> kNumberFields[] = {
    {.control = ids::kIntegerOn,
     .check = &NumberSettings::integerOn,
     .selects = true,
     .names = "--integer",
     .help = {"范围内的整数", "Whole numbers within the range"}},
    {.control = ids::kDecimalOn,
     .check = &NumberSettings::decimalOn,
     .selects = true,
     .names = "--decimal",
     .help = {"保留固定位数的小数（不选类型时：两种都有）",
              "Decimals with fixed places (no type flag: both)"}},
    {.kind = FieldKind::NumberRange,
     .scope = FieldScope::CliOnly,
     .number = &NumberSettings::low,
     .numberHigh = &NumberSettings::high,
     .names = "--range",
     .valueName = "LOW..HIGH",
     .help = {"取值范围，如 -10..10", "Bounds, e.g. -10..10"}},
    {.kind = FieldKind::Number,
     .control = ids::kLow,
     .number = &NumberSettings::low,
     .notice = notices::kBadRange,
     .names = "--low",
     .valueName = "X",
     .help = {"下限", "Lower bound"}},
    {.kind = FieldKind::Number,
     .control = ids::kHigh,
     .number = &NumberSettings::high,
     .notice = notices::kBadRange,
     .names = "--high",
     .valueName = "Y",
     .help = {"上限", "Upper bound"}},
    {.scope = FieldScope::CliOnly,
     .check = &NumberSettings::unique,
     .names = "--unique",
     .help = texts::kUniqueHelp},
    {.kind = FieldKind::Whole,
     .control = ids::kPlaces,
     .whole = &NumberSettings::places,
     .notice = notices::kBadPlaces,
     .readWhile = &NumberSettings::decimalOn,
     .names = "--places",
     .valueName = "N",
     .help = {"小数位数，0 到 100", "Decimal places, 0 to 100"}},
    {.kind = FieldKind::Whole,
     .control = ids::kNumberCount,
     .whole = &NumberSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .help = texts::kLinesHelp},
};

}  // namespace ovantis
