#pragma once

#include "FieldTexts.h"
#include "Notices.h"
#include "PageField.h"
#include "PatternSettings.h"
#include "WindowTexts.h"

namespace ovantis {

// Templates the window offers in the pattern field's drop-down.
inline constexpr const char* kPatternExamples[] = {
    "[A-Z]{4}-[0-9]{4}",
    "[A-Z]{4}-[A-Z]{4}-[A-Z]{4}",
    "user_[a-z]{3}[0-9]{2}",
    "ORD-[0-9]{6}",
    "[a-z]{5,8}@(example|test)\\.(com|org)",
    "[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}",
};

// The Pattern page's fields, in the order the command line's help lists them.
inline constexpr PageField<PatternSettings> kPatternFields[] = {
    {.kind = FieldKind::Text,
     .control = ids::kPattern,
     .text = &PatternSettings::pattern,
     .names = "-p,--pattern",
     .valueName = "PATTERN",
     .at = {47, 12, 218, 14},
     .name = Text{"模板", "Template"},
     .label = Caption{{"模板：", "Template:"}, {16, 15, 25, 8}},
     .examples = kPatternExamples,
     .help = texts::kPatternHelp},
    {.kind = FieldKind::Note,
     .scope = FieldScope::WindowOnly,
     .control = ids::kPatternInfo,
     .at = {47, 29, 276, 16},
     .help = {"模板匹配的字符串总数及其位数，或模板无效的原因",
              "How many strings the template matches and their bits, or why it is refused"}},
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
    {.control = ids::kPatternUnique,
     .check = &PatternSettings::unique,
     .names = "--unique",
     .at = {16, 48, 80, 10},
     .name = texts::kNoRepeatsName,
     .help = texts::kUniqueHelp},
    {.kind = FieldKind::Whole,
     .control = ids::kPatternCount,
     .whole = &PatternSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .at = {193, 46, 28, 14},
     .name = texts::kCountName,
     .label = Caption{texts::kCountLabel, {151, 48, 41, 8}},
     .help = texts::kLinesHelp},
};

inline constexpr PageControls kPatternControls{ids::kPatternOutput, ids::kPatternGenerate,
                                               ids::kPatternExport, "模式字符串.txt"};

}  // namespace ovantis
