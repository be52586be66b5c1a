#pragma once

#include "CliTexts.h"
#include "PageField.h"
#include "PatternSettings.h"

namespace ovantis {

// The Pattern page's fields, in the order the command line's help lists them.
inline constexpr PageField<PatternSettings> kPatternFields[] = {
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &PatternSettings::pattern,
     .names = "-p,--pattern",
     .valueName = "PATTERN",
     .help = texts::kPatternHelp},
    {.scope = FieldScope::CliOnly,
     .check = &PatternSettings::info,
     .names = "--info",
     .help = texts::kInfoHelp},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &PatternSettings::charset,
     .names = "--charset",
     .valueName = "TEXT",
     .help = texts::kUniverseHelp},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &PatternSettings::exclude,
     .names = "--exclude",
     .valueName = "TEXT",
     .help = {"任何字符类都不使用 TEXT 中的字符（写法同 --charset）",
              "Never draw the characters in TEXT from a class (as --charset)"}},
    {.scope = FieldScope::CliOnly,
     .check = &PatternSettings::noSimilar,
     .names = "-B,--no-similar",
     .help = {"字符类中去掉易混字符：0 O o 1 l I |",
              "Leave look-alikes out of classes: 0 O o 1 l I |"}},
    {.scope = FieldScope::CliOnly,
     .check = &PatternSettings::unique,
     .names = "--unique",
     .help = texts::kUniqueHelp},
    {.kind = FieldKind::Whole,
     .scope = FieldScope::CliOnly,
     .whole = &PatternSettings::count,
     .names = "-n,--count",
     .valueName = "N",
     .help = texts::kLinesHelp},
};

}  // namespace ovantis
