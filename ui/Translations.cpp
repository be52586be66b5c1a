#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {
ovantis::Language g_installed = ovantis::Language::Chinese;
}

Translations::~Translations() {
    remove();
}

std::optional<ovantis::Language> Translations::choose(const QStringList& uiLanguages,
                                                      const QString& requested) {
    using ovantis::Language;
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
    return ovantis::languageOf(uiLanguages.value(0, QStringLiteral("C")).toStdString(),
                               Language::Chinese);
}

ovantis::Language Translations::installed() {
    return g_installed;
}

ovantis::Language Translations::ofWindow(const QString& requested) {
    const QLocale system = QLocale::system();
    const QStringList languages =
        system.language() == QLocale::C ? QStringList{"C"} : system.uiLanguages();
    const auto chosen = choose(languages, requested);
    return chosen ? *chosen : *choose(languages, {});
}

void Translations::install(ovantis::Language language) {
    remove();
    g_installed = language;
    if (language == ovantis::Language::Chinese) {
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
