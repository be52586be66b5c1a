#pragma once

#include <QIcon>
#include <QString>
#include <QTranslator>

#include "RandomSource.h"

class QApplication;

// The application: Chinese standard dialogs, the dialog font, the one random
// source every page shares, and the main window run until it closes.
class GeneratorApp {
  public:
    explicit GeneratorApp(QApplication& app);

    // Runs the main window; false once it has closed, so the program ends.
    bool InitInstance();

    ovantis::RandomSource& random() { return m_random; }

    static QString caption();
    static QIcon icon();

  private:
    QTranslator m_qtTranslator;
    ovantis::RandomSource m_random;
};
