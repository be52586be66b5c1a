#include "NoticeText.h"

#include <QCoreApplication>
#include <string_view>

#include "Notices.h"

namespace {

namespace notices = ovantis::notices;

// lupdate reads literals only: each is checked against the core's text.
struct Listed {
    const char* core;
    const char* literal;
};
constexpr Listed kListed[] = {
    {notices::kNoCharClass, QT_TRANSLATE_NOOP("Notices", "至少指定一种字符类型！")},
    {notices::kBadLength, QT_TRANSLATE_NOOP("Notices", "生成长度设定无效！")},
    {notices::kNoNumberType, QT_TRANSLATE_NOOP("Notices", "至少指定一种数字类型！")},
    {notices::kBadPlaces, QT_TRANSLATE_NOOP("Notices", "保留小数位数设定无效！")},
    {notices::kBadRange, QT_TRANSLATE_NOOP("Notices", "数值范围设定无效！")},
    {notices::kNoCommand, QT_TRANSLATE_NOOP("Notices", "外部程序命令行无效！")},
    {notices::kBadDelay, QT_TRANSLATE_NOOP("Notices", "发生间隔设定无效！")},
    {notices::kBadCount, QT_TRANSLATE_NOOP("Notices", "生成个数设定无效！")},
    {notices::kGenerated, QT_TRANSLATE_NOOP("Notices", "生成成功！")},
    {notices::kExported, QT_TRANSLATE_NOOP("Notices", "导出成功！")},
    {notices::kExportFailed, QT_TRANSLATE_NOOP("Notices", "导出失败！")},
    {notices::kTooMuchOutput,
     QT_TRANSLATE_NOOP("Notices",
                       "生成结果可能超出输出框容量：每次最多 %1 行、%2 文本。请减少生成个数或长度；"
                       "大批量数据请使用命令行工具 ovantis-cli。")},
    {notices::kBytes, QT_TRANSLATE_NOOP("Notices", "%1 字节")},
};

constexpr bool listedAsInTheCore() {
    for (const Listed& entry : kListed) {
        if (std::string_view(entry.core) != entry.literal) {
            return false;
        }
    }
    return true;
}
static_assert(listedAsInTheCore(), "a notice changed in core/Notices.h: copy it here");

QString translated(const char* text) {
    return QCoreApplication::translate("Notices", text);
}

}  // namespace

QString NoticeText::shown(const std::string& text, const ovantis::OutputLimit& limit) {
    if (text == limit.notice()) {
        const QString number = QString::number(limit.sizeNumber());
        const QString size = limit.inMebibytes() ? number + QStringLiteral(" MiB")
                                                 : translated(notices::kBytes).arg(number);
        return translated(notices::kTooMuchOutput).arg(QString::number(limit.lines), size);
    }
    const std::size_t end = text.find('\n');
    const std::string first = text.substr(0, end);
    QString shown = translated(first.c_str());
    if (end != std::string::npos) {
        shown += QString::fromUtf8(text.substr(end));
    }
    return shown;
}
