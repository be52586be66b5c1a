#include "GeneratorApp.h"

#include <QApplication>
#include <QLibraryInfo>

#include "DialogUnits.h"
#include "MainDialog.h"

GeneratorApp::GeneratorApp(QApplication& app) {
    app.setApplicationName(QStringLiteral("Ovantis"));
    app.setApplicationVersion(QStringLiteral("1.0.127"));
    app.setWindowIcon(icon());
    app.setFont(DialogUnits::dialogFont());
    if (m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(&m_qtTranslator);
    }
}

bool GeneratorApp::InitInstance() {
    MainDialog dialog(m_random);
    dialog.exec();
    return false;
}

QString GeneratorApp::caption() {
    return QStringLiteral("Ovantis V1.0127");
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
