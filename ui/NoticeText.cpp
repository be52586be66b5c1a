#include "NoticeText.h"

#include <QLocale>

#include "Notices.h"

QString NoticeText::shown(const ovantis::Notice& notice, ovantis::Language language) {
    const QLocale grouping(QLocale::English, QLocale::UnitedStates);
    std::vector<std::string> figures;
    for (const std::int64_t figure : notice.figures) {
        figures.push_back(grouping.toString(static_cast<qlonglong>(figure)).toStdString());
    }
    const ovantis::Text* text = ovantis::notices::textOf(notice.text);
    QString shown = text != nullptr ? QString::fromStdString(text->fill(language, figures))
                                    : QString::fromUtf8(notice.text);
    if (!notice.detail.empty()) {
        shown += QLatin1Char('\n') + QString::fromStdString(notice.detail);
    }
    return shown;
}
