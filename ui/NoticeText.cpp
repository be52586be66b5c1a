#include "NoticeText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <optional>
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
    {notices::kBadCharset, QT_TRANSLATE_NOOP("Notices", "字符集设定无效！")},
    {notices::kBadLength, QT_TRANSLATE_NOOP("Notices", "生成长度设定无效！")},
    {notices::kNoNumberType, QT_TRANSLATE_NOOP("Notices", "至少指定一种数字类型！")},
    {notices::kBadPlaces, QT_TRANSLATE_NOOP("Notices", "保留小数位数设定无效！")},
    {notices::kBadRange, QT_TRANSLATE_NOOP("Notices", "数值范围设定无效！")},
    {notices::kNoCommand, QT_TRANSLATE_NOOP("Notices", "外部程序命令行无效！")},
    {notices::kCommandWithArguments,
     QT_TRANSLATE_NOOP("Notices",
                       "外部程序只能填写一个程序或文档的名称，不带参数。以下名称不是现有的文件：")},
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
    {notices::kLaunchFailed, QT_TRANSLATE_NOOP("Notices", "外部程序启动失败 %1 次（共 %2 次）：")},
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

// Figures grouped by thousands in either language: 1,000,000.
QString grouped(qlonglong number) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(number);
}

// The figures of a text made from a template whose %1, %2 ... are numbers,
// in order; nothing when the text was not made from it.
std::optional<QStringList> figuresOf(const char* pattern, const QString& text) {
    // escape() has turned each "%1" into "\\%1".
    static const QRegularExpression placeholder(QStringLiteral("\\\\%[0-9]"));
    const QString regex = QRegularExpression::escape(QString::fromUtf8(pattern))
                              .replace(placeholder, QStringLiteral("([0-9]+)"));
    const QRegularExpressionMatch match =
        QRegularExpression(QLatin1Char('^') + regex + QLatin1Char('$')).match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.capturedTexts().mid(1);
}

}  // namespace

QString NoticeText::shown(const std::string& text, const ovantis::OutputLimit& limit) {
    if (text == limit.notice()) {
        // A no-break space keeps "64 MiB" on one line.
        const QString number = grouped(limit.sizeNumber());
        const QString size = limit.inMebibytes() ? number + QStringLiteral("\u00A0MiB")
                                                 : translated(notices::kBytes).arg(number);
        return translated(notices::kTooMuchOutput).arg(grouped(limit.lines), size);
    }
    const std::size_t end = text.find('\n');
    const QString first = QString::fromUtf8(text.substr(0, end));
    QString shown;
    if (const auto figures = figuresOf(notices::kLaunchFailed, first)) {
        shown = translated(notices::kLaunchFailed);
        for (const QString& figure : *figures) {
            shown = shown.arg(grouped(figure.toLongLong()));
        }
    } else {
        shown = translated(first.toUtf8().constData());
    }
    if (end != std::string::npos) {
        shown += QString::fromUtf8(text.substr(end));
    }
    return shown;
}
