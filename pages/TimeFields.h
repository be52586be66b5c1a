#pragma once

#include "Notices.h"
#include "PageField.h"
#include "TimeSettings.h"

namespace ovantis {

// The Time page's fields, in the order the command line's help lists them.
inline constexpr PageField<TimeSettings> kTimeFields[] = {
    {.scope = FieldScope::WindowOnly,
     .control = ids::kRunExternal,
     .check = &TimeSettings::runExternal,
     .at = {16, 14, 68, 10},
     .name = Text{"执行外部程序：", "Run program:"},
     .help = {"每次事件时启动外部程序", "Start a program at each event"}},
    {.kind = FieldKind::Text,
     .control = ids::kCommand,
     .text = &TimeSettings::command,
     .readWhile = &TimeSettings::runExternal,
     .turnsOn = &TimeSettings::runExternal,
     .names = "--exec",
     .valueName = "PROGRAM",
     .at = {84, 12, 238, 14},
     .name = Text{"外部程序命令行", "Program to run"},
     .help = {"每次事件时启动 PROGRAM（不经过 shell）；其参数逐个写在 -- 之后。"
              "文档或网址用桌面上的关联程序打开。同时至多运行 64 个程序："
              "已有 64 个在运行时，下一次事件（连同其时间行）等到其中一个结束。",
              "Start PROGRAM at each event (never through a shell); its arguments follow -- one "
              "by one. A document or URL opens in its desktop application. At most 64 programs "
              "run at once: while 64 are running, the next event (its line too) waits for one "
              "to end."}},
    {.kind = FieldKind::WholeRange,
     .scope = FieldScope::CliOnly,
     .whole = &TimeSettings::minDelay,
     .wholeHigh = &TimeSettings::maxDelay,
     .names = "--delay",
     .valueName = "MIN..MAX",
     .help = {"每次事件前延迟的毫秒数，MIN..MAX", "Delay before each event in ms, MIN..MAX"}},
    {.kind = FieldKind::Whole,
     .control = ids::kMinDelay,
     .whole = &TimeSettings::minDelay,
     .notice = notices::kBadDelay,
     .names = "--min-delay",
     .valueName = "MS",
     .at = {58, 29, 39, 14},
     .name = Text{"最小发生间隔（毫秒）", "Minimum interval (ms)"},
     .label = Caption{{"发生间隔：", "Interval:"}, {16, 32, 41, 8}},
     .help = {"最短延迟毫秒数", "Shortest delay in ms"}},
    {.kind = FieldKind::Whole,
     .control = ids::kMaxDelay,
     .whole = &TimeSettings::maxDelay,
     .notice = notices::kBadDelay,
     .names = "--max-delay",
     .valueName = "MS",
     .at = {114, 29, 39, 14},
     .name = Text{"最大发生间隔（毫秒）", "Maximum interval (ms)"},
     .label = Caption{{"~", "~"}, {103, 33, 8, 8}},
     .unit = Caption{{"毫秒", "ms"}, {159, 32, 17, 8}},
     .help = {"最长延迟毫秒数", "Longest delay in ms"}},
    {.scope = FieldScope::CliOnly,
     .check = &TimeSettings::iso,
     .names = "--iso",
     .help = {"以 ISO 8601 写出本地日期和时间及其与 UTC 的时差，如 2026-12-08T12:34:56+08:00",
              "Local date and time in ISO 8601 with the offset from UTC, as "
              "2026-12-08T12:34:56+08:00"}},
    {.kind = FieldKind::Whole,
     .control = ids::kCountEvents,
     .whole = &TimeSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .at = {58, 46, 39, 14},
     .name = Text{"生成次数", "Number of events"},
     .label = Caption{{"生成次数：", "Events:"}, {16, 48, 41, 8}},
     .help = {"事件次数", "How many events"}},
};

inline constexpr PageControls kTimeControls{ids::kTimeOutput, ids::kTimeGenerate, ids::kTimeExport,
                                            "时间记录.txt"};

}  // namespace ovantis
