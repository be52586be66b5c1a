// Renders each page with a Generate done (at start-up size and maximised), the
// About box and notices to PNG files by grabbing the real widgets. The lines
// are the classic source's of second 1 and the Time page's are dated at a
// fixed time, so the same build and fonts give the same pictures.
// Usage: ovantis_screenshots [folder [zh|en [--compare FOLDER]]]
// With --compare, the pages the README shows must equal that folder's
// pictures pixel for pixel, unless those were made with other fonts (exit 77).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "GeneratorApp.h"
#include "MainDialog.h"
#include "ModalAnswer.h"
#include "Notices.h"
#include "NumberPage.h"
#include "PatternPage.h"
#include "RowsPage.h"
#include "StringPage.h"
#include "TimePage.h"

namespace ids = ovantis::ids;

namespace {

// What decides how text is drawn: Qt's version and the faces in use.
QString fontPrint() {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return QStringLiteral("Qt %1; %2 %3; %4")
        .arg(QString::fromLatin1(qVersion()), QFontInfo(QApplication::font()).family(),
             QFontInfo(QApplication::font()).styleName(), QFontInfo(fixed).family());
}

void save(QWidget& widget, const QString& path) {
    QImage image = widget.grab().toImage();
    image.setText(QStringLiteral("Fonts"), fontPrint());
    image.save(path);
}

// 0 when every picture equals its namesake in folder, 77 when those were
// made with other fonts, 1 when one differs.
int compare(const QString& made, const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        const QString shown = name.section(QLatin1Char('='), 0, 0);
        const QImage a(made + QLatin1Char('/') + name.section(QLatin1Char('='), -1));
        const QImage b(folder + QLatin1Char('/') + shown);
        if (b.text(QStringLiteral("Fonts")) != fontPrint()) {
            std::printf("skipped: %s was made with %s, this machine draws with %s\n",
                        qPrintable(shown), qPrintable(b.text(QStringLiteral("Fonts"))),
                        qPrintable(fontPrint()));
            return 77;
        }
        if (a.convertToFormat(QImage::Format_RGB32) != b.convertToFormat(QImage::Format_RGB32)) {
            std::printf("%s differs from what make screenshots makes: copy it from %s\n",
                        qPrintable(shown), qPrintable(made));
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A fresh start: the user's remembered size and choices stay out of it.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    GeneratorApp::settings().setValue(QStringLiteral("secureSource"), false);
    const QStringList args = QApplication::arguments();
    // The language as the window chooses it, from the locale unless named.
    const ovantis::Language language = Translations::ofWindow(args.value(2));
    GeneratorApp generator(app, language);
    const QString out = args.size() > 1 ? args[1] : QStringLiteral("build/screenshots");
    QDir().mkpath(out);

    ovantis::RandomSource random(ovantis::RandomSource::Kind::Classic,
                                 [] { return std::time_t{1}; });
    MainDialog dialog(random);
    dialog.show();
    // Returns once the run's notice is answered: a template is checked aside.
    auto click = [](PageWindow* page, int id) {
        QString answered;
        answerNotice(&answered);
        QTest::mouseClick(controlOf<QPushButton>(page, id), Qt::LeftButton);
        if (!QTest::qWaitFor([&answered] { return !answered.isEmpty(); }, 10000)) {
            qDeleteAll(pendingAnswers().children());
        }
    };
    click(dialog.stringPage(), ids::kStringGenerate);
    save(dialog, out + QStringLiteral("/string-page.png"));

    dialog.tabBar()->setCurrentIndex(1);
    click(dialog.numberPage(), ids::kNumberGenerate);
    save(dialog, out + QStringLiteral("/number-page.png"));

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
    QString log;
    for (int second = 0; second < 10; ++second) {
        log += QStringLiteral("2026-01-27   09:43:%1\n").arg(10 + 3 * second);
    }
    controlOf<QPlainTextEdit>(dialog.timePage(), ids::kTimeOutput)->setPlainText(log);
    save(dialog, out + QStringLiteral("/time-page.png"));

    // The Pattern page with its start-up template, then with one it refuses.
    dialog.tabBar()->setCurrentIndex(3);
    click(dialog.patternPage(), ids::kPatternGenerate);
    save(dialog, out + QStringLiteral("/pattern-page.png"));
    auto* pattern = controlOf<QComboBox>(dialog.patternPage(), ids::kPattern);
    const QString shown = pattern->currentText();
    pattern->setEditText(QStringLiteral("[A-Z]{4}-[0-9]+"));
    QTest::qWait(400);
    save(dialog, out + QStringLiteral("/pattern-page-refused.png"));
    pattern->setEditText(shown);
    QTest::qWait(400);

    // The Rows page with its start-up columns.
    dialog.tabBar()->setCurrentIndex(4);
    QTest::qWait(400);
    click(dialog.rowsPage(), ids::kRowsGenerate);
    save(dialog, out + QStringLiteral("/rows-page.png"));

    // The same pages maximised: the output boxes take what the window gains.
    // A screen smaller than the window (offscreen's at a large scale) has no
    // room to maximise into.
    const bool room = dialog.screen()->availableSize().expandedTo(dialog.minimumSize()) ==
                      dialog.screen()->availableSize();
    dialog.setWindowState(Qt::WindowMaximized);
    const QString pages[] = {QStringLiteral("string"), QStringLiteral("number"),
                             QStringLiteral("time"), QStringLiteral("pattern"),
                             QStringLiteral("rows")};
    for (int page = 0; room && page < 5; ++page) {
        dialog.tabBar()->setCurrentIndex(page);
        QTest::qWait(50);
        save(dialog, out + QStringLiteral("/%1-page-maximised.png").arg(pages[page]));
    }
    dialog.setWindowState(Qt::WindowNoState);

    AboutDialog about(&dialog);
    about.show();
    save(about, out + QStringLiteral("/about.png"));
    about.close();

    // The page's own notices, grabbed while open: a short one and the longest.
    const std::pair<QString, ovantis::Notice> notices[] = {
        {QStringLiteral("notice"), {ovantis::notices::kGenerated}},
        {QStringLiteral("notice-limit"), ovantis::OutputLimit::window().notice()},
    };
    for (const auto& [name, notice] : notices) {
        whenShown<QMessageBox>([&out, name = name](QMessageBox* notice) {
            save(*notice, out + QStringLiteral("/%1.png").arg(name));
            notice->accept();
        });
        dialog.stringPage()->notice(notice);
    }
    if (args.value(3) == QStringLiteral("--compare")) {
        // The README's pictures: the pages in Chinese, the String page in English.
        return compare(out, args.value(4),
                       language == ovantis::Language::Chinese
                           ? QStringList{"string-page.png", "number-page.png", "time-page.png",
                                         "pattern-page.png", "rows-page.png"}
                           : QStringList{"string-page-en.png=string-page.png",
                                         "pattern-page-en.png=pattern-page.png",
                                         "rows-page-en.png=rows-page.png"});
    }
    return 0;
}
