#include "GeneratorApp.h"

#include <QApplication>

#include "DialogUnits.h"
#include "MainDialog.h"
#include "SystemRandom.h"
#include "Version.h"

GeneratorApp::GeneratorApp(QApplication& app, ovantis::Language language)
    : m_random(ovantis::RandomSource::Kind::Classic, {}, ovantis::sys::SystemRandom::fill) {
    identify();
    app.setApplicationVersion(QString::fromLatin1(ovantis::version::kText));
    app.setWindowIcon(icon());
    setLanguage(language);
}

void GeneratorApp::setLanguage(ovantis::Language language) {
    m_translations.install(language);
    QApplication::setFont(DialogUnits::dialogFont(language == ovantis::Language::Chinese));
}

void GeneratorApp::InitInstance() {
    MainDialog dialog(m_random);
    dialog.exec();
}

void GeneratorApp::identify() {
    // X11 takes the window class from the application's name.
    QCoreApplication::setApplicationName(QStringLiteral("ovantis"));
    QGuiApplication::setDesktopFileName(QStringLiteral("ovantis"));
}

QSettings GeneratorApp::settings() {
    return QSettings(QStringLiteral("Ovantis"), QStringLiteral("Ovantis"));
}

QString GeneratorApp::caption() {
    // The caption joins minor and patch: 1.0.127 shows as V1.0127.
    return QStringLiteral("Ovantis V%1.%2%3")
        .arg(ovantis::version::kMajor)
        .arg(ovantis::version::kMinor)
        .arg(ovantis::version::kPatch);
}

QIcon GeneratorApp::icon() {
    // The resources live in a static library, so they are registered by hand.
    static const bool registered = [] {
        Q_INIT_RESOURCE(ovantis);
        return true;
    }();
    Q_UNUSED(registered);
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/ovantis-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
