#pragma once

// Every text the pages show in a notice.
namespace ovantis::notices {

inline constexpr const char* kNoCharClass = "至少指定一种字符类型！";
inline constexpr const char* kBadCharset = "字符集设定无效！";
inline constexpr const char* kBadLength = "生成长度设定无效！";
inline constexpr const char* kNoNumberType = "至少指定一种数字类型！";
inline constexpr const char* kBadPlaces = "保留小数位数设定无效！";
inline constexpr const char* kBadRange = "数值范围设定无效！";
inline constexpr const char* kNoCommand = "外部程序命令行无效！";
inline constexpr const char* kBadDelay = "发生间隔设定无效！";
inline constexpr const char* kBadCount = "生成个数设定无效！";
inline constexpr const char* kGenerated = "生成成功！";
inline constexpr const char* kExported = "导出成功！";
inline constexpr const char* kExportFailed = "导出失败！";

}  // namespace ovantis::notices
