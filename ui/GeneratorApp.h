#pragma once

#include <QIcon>
#include <QSettings>
#include <QString>

#include "RandomSource.h"
#include "Translations.h"

class QApplication;

// The application: its language, the dialog font, the one random source
// every page shares, and the main window run until it closes.
class GeneratorApp {
  public:
    GeneratorApp(QApplication& app, ovantis::Language language);

    // The texts and the font of windows made from now on.
    void setLanguage(ovantis::Language language);
    // Runs the main window until it closes.
    void InitInstance();

    ovantis::RandomSource& random() { return m_random; }

    // The one name of the program on the desktop: the desktop file's, the
    // window class's and the application's. Set before QApplication exists.
    static void identify();
    // Where the window's choices are remembered.
    static QSettings settings();
    static QString caption();
    static QIcon icon();

  private:
    Translations m_translations;
    ovantis::RandomSource m_random;
};
