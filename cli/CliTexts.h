#pragma once

#include "Text.h"

// Every text of ovantis-cli beside those of the pages (pages/FieldTexts.h).
namespace ovantis::texts {

// Help
inline constexpr Text kAbout{"Ovantis %1。", "Ovantis: %1."};
inline constexpr Text kStringAbout{"由所选字符类型组成的随机字符串",
                                   "Random strings from chosen character classes"};
inline constexpr Text kNumberAbout{"范围内的随机整数和小数",
                                   "Random integers and decimals within a range"};
inline constexpr Text kTimeAbout{"在随机延迟后记下本地日期和时间",
                                 "Local date and time lines at random delays"};
inline constexpr Text kPatternAbout{"与模板完全匹配的随机行，在其匹配的所有字符串中均匀抽取",
                                    "Random lines matching a template, uniform over every string "
                                    "it matches"};
inline constexpr Text kRowsAbout{
    "随机数据表格：每列取自一种生成器（字符串、数字、模板、日期、单词、取值表、行号、UUID），"
    "输出为 CSV、TSV、JSON Lines 或 SQL",
    "A table of random test data: each column from a generator (string, number, pattern, date, "
    "words, one of a list, row number, UUID), as CSV, TSV, JSON Lines or SQL"};
inline constexpr Text kRowsSeedHelp{
    "以 S（0..4294967295）为 ChaCha20 流设密钥：相同的种子在今后每个版本、任意分片和核数下都给出"
    "相同的行；'now' 表示当前秒",
    "Key a ChaCha20 stream with S (0..4294967295): the same seed gives the same rows in every "
    "version, for any shards and cores; 'now' for the current second"};
inline constexpr Text kCannotRead{"无法读取 %1：%2", "cannot read %1: %2"};
inline constexpr Text kFileTooLarge{"无法读取 %1：文件超过 %2 MiB 的上限",
                                    "cannot read %1: it is larger than the %2 MiB limit"};
inline constexpr Text kBadFormatName{"--format 须为 csv、tsv、jsonl 或 sql（现为 %1）",
                                     "--format needs csv, tsv, jsonl or sql (got %1)"};
inline constexpr Text kBadTableName{
    "--table 须以字母或 _ 开头，只含字母、数字和 _，至多 64 个字符（现为 %1）",
    "--table needs a letter or _ first, then letters, digits and _, 64 at most (got %1)"};
inline constexpr Text kInColumnOnly{"%1 不能用在列中；请放在列之外",
                                    "%1 does not belong in a column; give it to rows itself"};
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
    "为种子。pattern 的 --seed S 则以 S 为 ChaCha20 流设密钥（而非经典随机源），相同的\n"
    "种子在今后每个版本中都给出相同的行。\n\n"
    "退出状态：0 完成；1 输入输出错误、启动程序失败或内存不足；2 用法错误或设定被拒绝；\n"
    "128+N 被信号 N 结束。\n",
    "\nSources: without --seed every run draws from the operating system's secure\n"
    "source, so no two runs repeat. --seed S draws from the classic source instead:\n"
    "the window's 15-bit generator seeded with S, so the same seed and settings\n"
    "always give the same lines (seeds S and S+2^31 give the same lines).\n"
    "--seed now seeds it from the current second, as the window does. For pattern,\n"
    "--seed S keys a ChaCha20 stream with S instead of the classic source: the same\n"
    "seed gives the same lines in every later version.\n\n"
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
inline constexpr Text kNeedFileName{"%1：缺少文件名（- 表示标准输出）",
                                    "%1: a file name is required (- for standard output)"};
inline constexpr Text kBadCommandLine{"命令行无效：%1", "the command line is not valid: %1"};
inline constexpr Text kMemoryTooLow{"--max-memory：至少为 1 MiB（现为 %1）",
                                    "--max-memory: must be at least 1 MiB (got %1)"};

// Why settings are refused
inline constexpr Text kRefused{"%1：%2", "%1: %2"};

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
