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
     .help = {"每次事件时启动外部程序", "Start a program at each event"}},
    {.kind = FieldKind::Text,
     .control = ids::kCommand,
     .text = &TimeSettings::command,
     .readWhile = &TimeSettings::runExternal,
     .turnsOn = &TimeSettings::runExternal,
     .names = "--exec",
     .valueName = "PROGRAM",
     .help = {"每次事件时启动 PROGRAM（不经过 shell）；其参数逐个写在 -- 之后。"
              "文档或网址用桌面上的关联程序打开。",
              "Start PROGRAM at each event (never through a shell); its arguments follow -- one "
              "by one. A document or URL opens in its desktop application."}},
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
     .help = {"最短延迟毫秒数", "Shortest delay in ms"}},
    {.kind = FieldKind::Whole,
     .control = ids::kMaxDelay,
     .whole = &TimeSettings::maxDelay,
     .notice = notices::kBadDelay,
     .names = "--max-delay",
     .valueName = "MS",
     .help = {"最长延迟毫秒数", "Longest delay in ms"}},
    {.kind = FieldKind::Whole,
     .control = ids::kCountEvents,
     .whole = &TimeSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .help = {"事件次数", "How many events"}},
};

}  // namespace ovantis
