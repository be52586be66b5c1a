#pragma once

#include <QStringList>
#include <QTranslator>
#include <optional>

#include "Language.h"

// The language of the window and of Qt's own dialogs. Chinese is the source
// language: it needs no translation of ours, only Qt's zh_CN one.
class Translations {
  public:
    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // requested is --lang's value ("zh" or "en", any case; nothing for another)
    // or empty; then the first language's, C and POSIX speaking Chinese, the
    // source language.
    static std::optional<ovantis::Language> choose(const QStringList& uiLanguages,
                                                   const QString& requested);
    // The window's: the requested one, or else the system locale's. LANGUAGE
    // may list languages while the locale is C; C wins, as for gettext.
    static ovantis::Language ofWindow(const QString& requested);

    // Replaces whatever this object installed before.
    void install(ovantis::Language language);
    // The language last installed: Chinese until one is.
    static ovantis::Language installed();

  private:
    void remove();

    QTranslator m_qt;
    QTranslator m_own;
};
