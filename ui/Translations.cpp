#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
Translations::Language g_installed = Translations::Language::Chinese;
}

Translations::~Translations() {
    remove();
}

std::optional<Translations::Language> Translations::choose(const QStringList& uiLanguages,
                                                           const QString& requested) {
    const QString asked = requested.toLower();
    if (asked == QLatin1String("zh")) {
        return Language::Chinese;
    }
    if (asked == QLatin1String("en")) {
        return Language::English;
    }
    if (!asked.isEmpty()) {
        return std::nullopt;
    }
    // Chinese is the source language, so C and POSIX keep it; every other
    // language reads English better than Chinese.
    const QString first = uiLanguages.value(0, QStringLiteral("C")).toLower();
    const bool chinese = first.startsWith(QLatin1String("zh")) || first == QLatin1String("c") ||
                         first.startsWith(QLatin1String("c.")) || first == QLatin1String("posix");
    return chinese ? Language::Chinese : Language::English;
}

Translations::Language Translations::installed() {
    return g_installed;
}

void Translations::install(Language language) {
    remove();
    g_installed = language;
    if (language == Language::Chinese) {
        if (m_qt.load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&m_qt);
        }
        return;
    }
    // The translation lives in a static library, so it is registered by hand.
    static const bool registered = [] {
        Q_INIT_RESOURCE(ovantis_translations);
        return true;
    }();
    Q_UNUSED(registered);
    // Qt's own texts are English already.
    if (m_own.load(QStringLiteral(":/translations/ovantis_en.qm"))) {
        QCoreApplication::installTranslator(&m_own);
    }
}

void Translations::remove() {
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_own);
}
