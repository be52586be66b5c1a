#pragma once

#include <QStringList>
#include <QTranslator>
#include <optional>

// The language of the window and of Qt's own dialogs. Chinese is the source
// language: it needs no translation of ours, only Qt's zh_CN one.
class Translations {
  public:
    enum class Language { Chinese, English };

    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // requested is --lang's value ("zh" or "en", any case; nothing for another)
    // or empty; then Chinese for a Chinese, C or POSIX first language, English
    // for any other.
    static std::optional<Language> choose(const QStringList& uiLanguages, const QString& requested);

    // Replaces whatever this object installed before.
    void install(Language language);
    // The language last installed: Chinese until one is.
    static Language installed();

  private:
    void remove();

    QTranslator m_qt;
    QTranslator m_own;
};
