#pragma once

#include <QIcon>
#include <QString>

#include "RandomSource.h"
#include "Translations.h"

class QApplication;

// The application: its language, the dialog font, the one random source
// every page shares, and the main window run until it closes.
class GeneratorApp {
  public:
    GeneratorApp(QApplication& app, Translations::Language language);

    // Runs the main window; false once it has closed, so the program ends.
    bool InitInstance();

    ovantis::RandomSource& random() { return m_random; }

    static QString caption();
    static QIcon icon();

  private:
    Translations m_translations;
    ovantis::RandomSource m_random;
};
