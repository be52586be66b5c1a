#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::~Translations() {
    remove();
}

std::optional<Translations::Language> Translations::choose(const QStringList& uiLanguages,
                                                           const QString& requested) {
    if (requested == QLatin1String("zh")) {
        return Language::Chinese;
    }
    if (requested == QLatin1String("en")) {
        return Language::English;
    }
    if (!requested.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& name : uiLanguages) {
        const QString lower = name.toLower();
        if (lower.startsWith(QLatin1String("en"))) {
            return Language::English;
        }
        if (lower.startsWith(QLatin1String("zh")) || lower == QLatin1String("c") ||
            lower.startsWith(QLatin1String("c.")) || lower == QLatin1String("posix")) {
            return Language::Chinese;
        }
    }
    return Language::Chinese;
}

void Translations::install(Language language) {
    remove();
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
