// Renders each page with a Generate done (at start-up size and maximised), the
// About box and notices to PNG files by grabbing the real widgets.
// Usage: ovantis_screenshots [folder] [zh|en]
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "GeneratorApp.h"
#include "MainDialog.h"
#include "ModalAnswer.h"
#include "NumberPage.h"
#include "StringPage.h"
#include "TimePage.h"

namespace ids = ovantis::ids;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A fresh start: the user's remembered size and choices stay out of it.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    const QStringList args = QApplication::arguments();
    const auto language =
        Translations::choose({}, args.value(2)).value_or(Translations::Language::Chinese);
    GeneratorApp generator(app, language);
    const QString out = args.size() > 1 ? args[1] : QStringLiteral("build/screenshots");
    QDir().mkpath(out);

    MainDialog dialog(generator.random());
    dialog.show();
    auto click = [](PageWindow* page, int id) {
        answerNotice();
        QTest::mouseClick(controlOf<QPushButton>(page, id), Qt::LeftButton);
    };
    click(dialog.stringPage(), ids::kStringGenerate);
    dialog.grab().save(out + QStringLiteral("/string-page.png"));

    dialog.tabBar()->setCurrentIndex(1);
    click(dialog.numberPage(), ids::kNumberGenerate);
    dialog.grab().save(out + QStringLiteral("/number-page.png"));

    dialog.tabBar()->setCurrentIndex(2);
    controlOf<QLineEdit>(dialog.timePage(), ids::kMinDelay)->setText(QStringLiteral("0"));
    controlOf<QLineEdit>(dialog.timePage(), ids::kMaxDelay)->setText(QStringLiteral("50"));
    QString finished;
    answerNotice(&finished);
    QTest::mouseClick(controlOf<QPushButton>(dialog.timePage(), ids::kTimeGenerate),
                      Qt::LeftButton);
    for (int waited = 0; finished.isEmpty() && waited < 10000; waited += 10) {
        QTest::qWait(10);
    }
    dialog.grab().save(out + QStringLiteral("/time-page.png"));

    // The same pages maximised: the output boxes take what the window gains.
    // A screen smaller than the window (offscreen's at a large scale) has no
    // room to maximise into.
    const bool room = dialog.screen()->availableSize().expandedTo(dialog.minimumSize()) ==
                      dialog.screen()->availableSize();
    dialog.setWindowState(Qt::WindowMaximized);
    const QString pages[] = {QStringLiteral("string"), QStringLiteral("number"),
                             QStringLiteral("time")};
    for (int page = 0; room && page < 3; ++page) {
        dialog.tabBar()->setCurrentIndex(page);
        QTest::qWait(50);
        dialog.grab().save(out + QStringLiteral("/%1-page-maximised.png").arg(pages[page]));
    }
    dialog.setWindowState(Qt::WindowNoState);

    AboutDialog about(&dialog);
    about.show();
    about.grab().save(out + QStringLiteral("/about.png"));
    about.close();

    // The page's own notices, grabbed while open: a short one and the longest.
    const std::pair<QString, std::string> notices[] = {
        {QStringLiteral("notice"), "生成成功！"},
        {QStringLiteral("notice-limit"), ovantis::OutputLimit::window().notice()},
    };
    for (const auto& [name, text] : notices) {
        whenShown<QMessageBox>([&out, name = name](QMessageBox* notice) {
            notice->grab().save(out + QStringLiteral("/%1.png").arg(name));
            notice->accept();
        });
        dialog.stringPage()->notice(text);
    }
    return 0;
}
