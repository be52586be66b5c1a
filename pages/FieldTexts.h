#pragma once

#include "Text.h"

// Texts of the pages' fields that the command line shows: their help, the
// count of lines they allow, a value that is no number.
namespace ovantis::texts {

inline constexpr Text kPatternHelp{
    "模板（也可作为第一个参数给出）：字面字符、\\ 转义、\\x{HHHH}、[a-z]、[^...]、\\d \\w \\s、.、"
    "(...)、|、?、{n}、{m,n}",
    "The template (or the first argument): literals, \\ escapes, \\x{HHHH}, [a-z], [^...], "
    "\\d \\w \\s, ., (...), |, ?, {n}, {m,n}"};
inline constexpr Text kInfoHelp{"不生成行，只显示模板匹配的字符串总数及其位数",
                                "Print how many strings the template matches, and their bits, "
                                "instead of lines"};
inline constexpr Text kLinesInfoHelp{"不生成行，只显示这些设定可生成的不同行数及其位数",
                                     "Print how many different lines these settings allow, and "
                                     "their bits, instead of lines"};
inline constexpr Text kUniverseHelp{
    "'.' 和 [^...] 从 TEXT 的字符中抽取（写法同 string --charset；"
    "默认可打印 ASCII）",
    "Draw '.' and [^...] from the characters in TEXT (as string "
    "--charset; printable ASCII by default)"};
inline constexpr Text kUniqueHelp{
    "本次运行中没有重复的行（每行都记在内存中）",
    "No line repeats within the run (every line is kept in memory to ensure it)"};
inline constexpr Text kNoRepeatsName{"不重复", "No repeats"};
inline constexpr Text kLinesHelp{"生成行数", "How many lines"};

// A count of lines and its bits.
inline constexpr Text kPatternInfo{"%1 种字符串 · %2 位", "%1 strings · %2 bits"};
// Counts beyond what is worth writing out whole: the bits alone.
inline constexpr Text kBitsInfo{"约 %1 位", "about %1 bits"};
// A value that is no number.
inline constexpr Text kNotNumber{"%1：%2 不是数字", "%1: %2 is not a number"};

}  // namespace ovantis::texts
