#pragma once

#include "CliTexts.h"
#include "Notices.h"
#include "NumberSettings.h"
#include "PageField.h"
#include "WindowTexts.h"

namespace ovantis {

// The Number page's fields, in the order the command line's help lists them.
inline constexpr PageField<NumberSettings> kNumberFields[] = {
    {.control = ids::kIntegerOn,
     .check = &NumberSettings::integerOn,
     .selects = true,
     .names = "--integer",
     .at = {16, 14, 32, 10},
     .name = Text{"整数", "Integers"},
     .help = {"范围内的整数", "Whole numbers within the range"}},
    {.control = ids::kDecimalOn,
     .check = &NumberSettings::decimalOn,
     .selects = true,
     .names = "--decimal",
     .at = {59, 14, 80, 10},
     .name = Text{"浮点数，保留小数", "Decimals with"},
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
     .at = {58, 29, 39, 14},
     .name = Text{"数值下限", "Lowest value"},
     .label = Caption{{"数值范围：", "Range:"}, {16, 32, 41, 8}},
     .help = {"下限", "Lower bound"}},
    {.kind = FieldKind::Number,
     .control = ids::kHigh,
     .number = &NumberSettings::high,
     .notice = notices::kBadRange,
     .names = "--high",
     .valueName = "Y",
     .at = {114, 29, 39, 14},
     .name = Text{"数值上限", "Highest value"},
     .label = Caption{{"~", "~"}, {103, 33, 8, 8}},
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
     .at = {139, 12, 14, 14},
     .name = Text{"保留小数位数", "Decimal places"},
     .unit = Caption{{"位", "places"}, {158, 14, 9, 8}},
     .tabLast = true,
     .help = {"小数位数，0 到 100", "Decimal places, 0 to 100"}},
    {.kind = FieldKind::Whole,
     .control = ids::kNumberCount,
     .whole = &NumberSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .at = {58, 46, 39, 14},
     .name = texts::kCountName,
     .label = Caption{texts::kCountLabel, {16, 48, 41, 8}},
     .help = texts::kLinesHelp},
};

inline constexpr PageControls kNumberControls{ids::kNumberOutput, ids::kNumberGenerate,
                                              ids::kNumberExport};

}  // namespace ovantis
