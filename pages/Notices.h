#pragma once

#include "Text.h"

// Every text the pages show in a notice. Arrays, not pointers: each text has
// one address in the whole program, so a notice can be compared by address.
namespace ovantis::notices {

inline constexpr char kNoCharClass[] = "至少指定一种字符类型！";
inline constexpr char kBadCharset[] = "字符集设定无效！";
inline constexpr char kBadLength[] = "生成长度设定无效！";
inline constexpr char kNoNumberType[] = "至少指定一种数字类型！";
inline constexpr char kBadPlaces[] = "保留小数位数设定无效！";
inline constexpr char kBadRange[] = "数值范围设定无效！";
inline constexpr char kNoCommand[] = "外部程序命令行无效！";
// The name that holds a space and names no file follows on the next line.
inline constexpr char kCommandWithArguments[] =
    "外部程序只能填写一个程序或文档的名称，不带参数。以下名称不是现有的文件：";
inline constexpr char kBadDelay[] = "发生间隔设定无效！";
inline constexpr char kBadCount[] = "生成个数设定无效！";
inline constexpr char kGenerated[] = "生成成功！";
inline constexpr char kExported[] = "导出成功！";
inline constexpr char kExportFailed[] = "导出失败！";
inline constexpr char kBadPattern[] = "模板无效！";
inline constexpr char kBadRows[] = "表格设定无效！";
// %1 is the line limit, %2 the size in MiB, or in bytes when it is no whole MiB.
inline constexpr char kTooMuchOutput[] =
    "生成结果可能超出输出框容量：每次最多 %1 行、%2\u00A0MiB 文本。请减少生成个数或长度；"
    "大批量数据请使用命令行工具 ovantis-cli。";
inline constexpr char kTooMuchOutputBytes[] =
    "生成结果可能超出输出框容量：每次最多 %1 行、%2 字节文本。请减少生成个数或长度；"
    "大批量数据请使用命令行工具 ovantis-cli。";
// %1 launches of %2 failed; the first one's reason follows on the next line.
inline constexpr char kLaunchFailed[] = "外部程序启动失败 %1 次（共 %2 次）：";

// The notice's texts in both languages, or nullptr for any other text.
const Text* textOf(const char* notice);

}  // namespace ovantis::notices
