#pragma once

#include "Text.h"

// Every text of ovantis-cli beside the pages' notices and fields.
namespace ovantis::texts {

// Help
inline constexpr Text kAbout{"Ovantis：随机测试数据——字符串、数字和定时事件。",
                             "Ovantis: random test data: strings, numbers and timed events."};
inline constexpr Text kStringAbout{"由所选字符类型组成的随机字符串",
                                   "Random strings from chosen character classes"};
inline constexpr Text kNumberAbout{"范围内的随机整数和小数",
                                   "Random integers and decimals within a range"};
inline constexpr Text kTimeAbout{"在随机延迟后记下本地日期和时间",
                                 "Local date and time lines at random delays"};
inline constexpr Text kPatternAbout{"与模板完全匹配的随机行，在其匹配的所有字符串中均匀抽取",
                                    "Random lines matching a template, uniform over every string "
                                    "it matches"};
inline constexpr Text kPatternHelp{
    "模板（也可作为第一个参数给出）：字面字符、\\ 转义、\\x{HHHH}、[a-z]、[^...]、\\d \\w \\s、.、"
    "(...)、|、?、{n}、{m,n}",
    "The template (or the first argument): literals, \\ escapes, \\x{HHHH}, [a-z], [^...], "
    "\\d \\w \\s, ., (...), |, ?, {n}, {m,n}"};
inline constexpr Text kInfoHelp{"不生成行，只显示模板匹配的字符串总数及其位数",
                                "Print how many strings the template matches, and their bits, "
                                "instead of lines"};
inline constexpr Text kUniverseHelp{
    "'.' 和 [^...] 从 TEXT 的字符中抽取（写法同 string --charset；"
    "默认可打印 ASCII）",
    "Draw '.' and [^...] from the characters in TEXT (as string "
    "--charset; printable ASCII by default)"};
inline constexpr Text kUniqueHelp{
    "本次运行中没有重复的行（每行都记在内存中）",
    "No line repeats within the run (every line is kept in memory to ensure it)"};
inline constexpr Text kLinesHelp{"生成行数", "How many lines"};
inline constexpr Text kWithDefault{"%1（默认 %2）", "%1 (default %2)"};
inline constexpr Text kSeedHelp{"用 S（0..4294967295）为经典随机源设种子；'now' 表示当前秒",
                                "Seed the classic source with S (0..4294967295), or 'now' for "
                                "the current second"};
inline constexpr Text kPatternSeedHelp{
    "以 S（0..4294967295）为 ChaCha20 流设密钥：相同的种子在今后每个版本中都给出相同的行；"
    "'now' 表示当前秒",
    "Key a ChaCha20 stream with S (0..4294967295): the same seed gives the same lines in every "
    "later version; 'now' for the current second"};
inline constexpr Text kSecureHelp{"使用安全随机源（不带 --seed 时即是如此）",
                                  "The secure source, as without --seed"};
inline constexpr Text kOutputHelp{"写入 FILE，输出完整后才替换它（- 表示标准输出）",
                                  "Write to FILE, changed only once the output is complete (- "
                                  "for standard output)"};
inline constexpr Text kCrlfHelp{"行尾用 CR LF 而不是 LF", "End lines with CR LF instead of LF"};
inline constexpr Text kMaxMemoryHelp{
    "--unique 及内存中暂存的 -o 输出的内存上限（MiB）；需要更多的运行会被拒绝",
    "Memory budget in MiB for --unique and for -o output staged in memory; a run needing more "
    "is refused"};
inline constexpr Text kHelpHelp{"显示本帮助并退出", "Print this help message and exit"};
inline constexpr Text kVersionHelp{"显示版本并退出", "Print the version and exit"};
inline constexpr Text kOptionsHeading{"选项", "Options"};
inline constexpr Text kCommandsHeading{"命令", "Subcommands"};
// CLI11's help labels, named by its English words.
inline constexpr Text kHelpLabels[] = {
    {"用法", "Usage"},
    {"选项", "OPTIONS"},
    {"命令", "SUBCOMMAND"},
};
inline constexpr Text kSources{
    "\n随机源：不带 --seed 时，每次运行都取自操作系统的安全随机源，两次运行不会重复。\n"
    "--seed S 改用经典随机源：即窗口程序的 15 位生成器，以 S 为种子，相同的种子和设定\n"
    "总是给出相同的行（种子 S 与 S+2^31 结果相同）。--seed now 与窗口程序一样以当前秒\n"
    "为种子。\n\n"
    "退出状态：0 完成；1 输入输出错误、启动程序失败或内存不足；2 用法错误或设定被拒绝；\n"
    "128+N 被信号 N 结束。\n",
    "\nSources: without --seed every run draws from the operating system's secure\n"
    "source, so no two runs repeat. --seed S draws from the classic source instead:\n"
    "the window's 15-bit generator seeded with S, so the same seed and settings\n"
    "always give the same lines (seeds S and S+2^31 give the same lines).\n"
    "--seed now seeds it from the current second, as the window does.\n\n"
    "Exit status: 0 done, 1 I/O error, a failed launch or memory exhausted,\n"
    "2 usage error or rejected settings, 128+N when ended by signal N.\n"};
inline constexpr Text kExamples{"\n示例：\n%1", "\nExamples:\n%1"};

// Usage errors
inline constexpr Text kTryHelp{"运行 'ovantis-cli%1 --help' 查看用法。",
                               "Try 'ovantis-cli%1 --help'."};
inline constexpr Text kNeedCommand{"缺少命令：string、number、time 或 pattern",
                                   "a command is required: string, number, time or pattern"};
inline constexpr Text kNeedValue{"%1：缺少取值", "%1: a value is required"};
inline constexpr Text kNoValueTaken{"%1：不带取值", "%1: takes no value"};
inline constexpr Text kNotWhole{"%1：%2 不是整数", "%1: %2 is not a whole number"};
inline constexpr Text kOutsideInt{"%1：%2 超出 -2147483648..2147483647",
                                  "%1: %2 is outside -2147483648..2147483647"};
inline constexpr Text kNotNumber{"%1：%2 不是数字", "%1: %2 is not a number"};
inline constexpr Text kBadSeed{"--seed：%1 既不是 'now'，也不是 0 到 4294967295 的整数",
                               "--seed: %1 is neither 'now' nor a whole number from 0 to "
                               "4294967295"};
inline constexpr Text kCountOutside{"%1：%2 超出范围：行数为 1 到 2147483647",
                                    "%1: %2 is out of range: a count is 1 to 2147483647"};
inline constexpr Text kNotRange{"%1：%2 不是 %3 形式的范围", "%1: %2 is not a range %3"};
inline constexpr Text kNotWholeOrRange{"%1：%2 既不是整数，也不是 %3 形式的范围",
                                       "%1: %2 is neither a whole number nor a range %3"};
inline constexpr Text kRangeEnds{"%1：范围须写出两端，形如 %2（现为 %3）",
                                 "%1: a range needs both ends, as in %2 (got %3)"};
inline constexpr Text kRangeAndPair{"%1：不能与 %2 或 %3 同时使用",
                                    "%1: cannot be combined with %2 or %3"};
inline constexpr Text kExcludes{"%1：不能与 %2 同时使用", "%1: cannot be combined with %2"};
inline constexpr Text kUnknownCommand{"未知命令 %1", "unknown command %1"};
inline constexpr Text kUnknownOption{"未知选项 %1", "unknown option %1"};
inline constexpr Text kDidYouMean{"%1；是否想用 %2？", "%1; did you mean %2?"};
inline constexpr Text kNotExpected{"多余的参数：%1", "not expected: %1"};
inline constexpr Text kArgsNeedExec{"-- 之后的参数须配合 time --exec PROGRAM",
                                    "arguments after -- need time --exec PROGRAM"};
inline constexpr Text kNeedFileName{"--output：缺少文件名（- 表示标准输出）",
                                    "--output: a file name is required (- for standard output)"};
inline constexpr Text kBadCommandLine{"命令行无效：%1", "the command line is not valid: %1"};
inline constexpr Text kMemoryTooLow{"--max-memory：至少为 1 MiB（现为 %1）",
                                    "--max-memory: must be at least 1 MiB (got %1)"};

// Why settings are refused
inline constexpr Text kRefused{"%1：%2", "%1: %2"};
inline constexpr Text kCountTooLow{"--count 至少为 1（现为 %1）",
                                   "--count must be at least 1 (got %1)"};
inline constexpr Text kNeedsUtf8{"%1 须为 UTF-8 文本", "%1 needs UTF-8 text"};
inline constexpr Text kBackwards{"%1 中每个范围须按 低-高 的顺序",
                                 "%1 needs each range low-high in order"};
inline constexpr Text kControl{"%1 含控制字符 %2；每个取值须是一行纯文本",
                               "%1 holds the control character %2; each value must stay one "
                               "line of plain text"};
inline constexpr Text kNothingLeft{"没有剩下可抽取的字符", "no characters are left to draw from"};
inline constexpr Text kEachClassShort{
    "--each-class 要求 --max-length 至少为 %1，每种字符类型各一个（现为 %2）",
    "--each-class needs --max-length of at least %1, one of each class (got %2)"};
inline constexpr Text kMaxBelowMin{"%1 不能小于 %2（现为 %3 和 %4）",
                                   "%1 must not be below %2 (got %3 and %4)"};
inline constexpr Text kEachClassRare{
    "--each-class：这些长度下约 %1 行中才有 1 行含全部字符类型；请加长行或减少字符类型",
    "--each-class: only about 1 line in %1 of these lengths holds every class; use longer lines "
    "or fewer classes"};
inline constexpr Text kEachClassNever{
    "--each-class：这些长度下 1e+12 行中也没有 1 行含全部字符类型；请加长行或减少字符类型",
    "--each-class: not even 1 line in 1e+12 of these lengths holds every class; use longer lines "
    "or fewer classes"};
inline constexpr Text kUniqueSlow{"--count：%1 个不重复行的最后一行约需抽取 %2 次；请减少行数",
                                  "--count: the last of %1 unique lines would take about %2 "
                                  "draws; ask for fewer lines"};
inline constexpr Text kPlacesOutside{"--places 须在 0 到 100 之间（现为 %1）",
                                     "--places must be 0 to 100 (got %1)"};
inline constexpr Text kBeyondSingle{"--low 和 --high 须在单精度范围内",
                                    "--low and --high must lie within single precision"};
inline constexpr Text kLowAboveHigh{"--low 不能大于 --high", "--low must not exceed --high"};
inline constexpr Text kNoWhole{"--integer 要求 --low 与 --high 之间有 64 位以内的整数",
                               "--integer needs a whole number between --low and --high within "
                               "64 bits"};
inline constexpr Text kNoDecimal{"--decimal 要求 --low 与 --high 之间有 %1 位小数的值",
                                 "--decimal needs a value with %1 places between --low and "
                                 "--high"};
inline constexpr Text kNeedProgram{"--exec 需要程序名", "--exec needs a program name"};
inline constexpr Text kTooFewPossible{"无法生成 %1 个不重复行：最多只有 %2 种",
                                      "cannot make %1 unique lines: only %2 are possible"};
inline constexpr Text kClassicTooFew{
    "无法生成 %1 个不重复行：经典随机源（--seed）在这些设定下最多给出 %2 种不同的行；"
    "安全随机源（不带 --seed）没有此限制",
    "cannot make %1 unique lines: the classic source (--seed) makes at most %2 different "
    "lines of these settings; the secure source (no --seed) has no such limit"};
inline constexpr Text kOverBudget{
    "--unique 生成 %2 行约需 %1，超出 %3 MiB 的内存上限（可用 --max-memory 调高）",
    "--unique needs about %1 for %2 lines, above the %3 MiB memory budget (raise it with "
    "--max-memory)"};

// Why a pattern is refused
inline constexpr Text kBadPattern{"模板无效", "The template is not valid"};
inline constexpr Text kAtColumn{"第 %1 列：%2", "column %1: %2"};
inline constexpr Text kOpenRepeat{
    "%1 没有上限，无法均匀抽取；请给出上限，如 %2",
    "%1 has no upper bound, so no uniform draw; give one, such as %2"};
inline constexpr Text kBackReference{"不支持反向引用 %1",
                                     "back-references such as %1 are not supported"};
inline constexpr Text kLookAround{"不支持环视 %1", "look-arounds such as %1 are not supported"};
inline constexpr Text kWordBoundary{"不支持单词边界 %1",
                                    "word boundaries such as %1 are not supported"};
inline constexpr Text kFlags{"不支持标志和特殊分组 %1",
                             "flags and special groups such as %1 are not supported"};
inline constexpr Text kAnchor{"%1 只能作为开头的 ^ 或结尾的 $",
                              "%1 is accepted only as ^ first or $ last"};
inline constexpr Text kUnbalanced{"%1 不成对", "%1 has no partner"};
inline constexpr Text kBadEscape{"%1 不是可用的转义", "%1 is not a known escape"};
inline constexpr Text kEmptyClass{"字符类 %1 中没有可抽取的字符",
                                  "the class %1 leaves nothing to draw from"};
inline constexpr Text kPosixClass{
    "%1 是 POSIX 字符类的开头，不受支持：请写出字符，如 [a-z]，或把 [ 写作 \\[",
    "%1 begins a POSIX class, which is not supported: name the characters, as in [a-z], or "
    "write [ as \\["};
inline constexpr Text kReversedRange{"%1 的范围颠倒；请从低到高书写",
                                     "%1 runs backwards; write it low to high"};
inline constexpr Text kBadRange{"%1：范围两端须为单个字符",
                                "%1: a range needs one character at each end"};
inline constexpr Text kNothingToRepeat{"%1 前面没有可重复的内容",
                                       "%1 has nothing before it to repeat"};
inline constexpr Text kBadRepeat{"%1 不是 {n} 或 {m,n} 形式的重复",
                                 "%1 is not a repeat {n} or {m,n}"};
inline constexpr Text kControlInPattern{"控制字符 %1 会把行拆开",
                                        "the control character %1 would break a line"};
inline constexpr Text kBadCodePoint{"%1 不是字符（代理码位或超出 U+10FFFF）",
                                    "%1 is not a character (a surrogate or beyond U+10FFFF)"};
inline constexpr Text kTooDeep{"分组嵌套超过 %1 层", "groups nest deeper than %1"};
inline constexpr Text kPatternTooLong{"模板超过 %1 字节", "the template is longer than %1 bytes"};
inline constexpr Text kLineTooLong{"一行可能超过 %1 个字符", "a line could exceed %1 characters"};
inline constexpr Text kTooManyStates{"模板需要超过 %1 个自动机状态；请简化",
                                     "the template needs more than %1 automaton states; simplify "
                                     "it"};
inline constexpr Text kCountOverBudget{
    "计数需要超过 %1 MiB 的内存上限（可用 --max-memory 调高）",
    "counting needs more than the %1 MiB memory budget (raise it with --max-memory)"};
inline constexpr Text kPatternInfo{"%1 种字符串 · %2 位", "%1 strings · %2 bits"};

// Failures
inline constexpr Text kGaveUp{"一秒多重抽仍找不到可用的新行；运行已停止，-o 文件保持原样",
                              "no further line found in over a second of redraws; the run was "
                              "stopped and any -o file left as it was"};
inline constexpr Text kGaveUpClassic{
    "一秒多重抽仍找不到新行：经典随机源（--seed）给不出这些设定下更多不同的行，请改用安全随机源"
    "（不带 --seed）；运行已停止，-o 文件保持原样",
    "no new line found in over a second of redraws: the classic source (--seed) makes no more "
    "different lines of these settings, the secure source (no --seed) does; the run was stopped "
    "and any -o file left as it was"};
inline constexpr Text kWriteError{"写入出错", "write error"};
inline constexpr Text kCannotWrite{"无法写入 %1", "cannot write %1"};
inline constexpr Text kStagedInMemory{
    "无法写入 %1：它要原地改写，而暂存输出只剩内存中的空间（%2），输出可能超出 %3 MiB 的内存上限"
    "（可把 TMPDIR 设为磁盘上的文件夹，或用 --max-memory 调高）",
    "cannot write %1: it is rewritten in place and the only space left to stage the output is in "
    "memory (%2), where it may exceed the %3 MiB memory budget (set TMPDIR to a folder on disk, "
    "or raise --max-memory)"};
inline constexpr Text kCannotStart{"无法启动 %1", "cannot start %1"};
inline constexpr Text kNoRandomSource{"无法读取系统的安全随机源",
                                      "cannot read the system's random source"};
inline constexpr Text kOutOfMemory{"内存不足；运行已停止，-o 文件保持原样",
                                   "out of memory; the run was stopped and any -o file left as "
                                   "it was"};

}  // namespace ovantis::texts
