// The window worked as a user would, offscreen: real widgets, real clicks,
// real message boxes and file dialogs answered as they open.
#include <QAccessible>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "GeneratorApp.h"
#include "MainDialog.h"
#include "ModalAnswer.h"
#include "NumberPage.h"
#include "StringPage.h"
#include "TimePage.h"

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ovantis::RandomSource> m_random;
    std::unique_ptr<MainDialog> m_dialog;

    template <class T = QWidget>
    T* find(PageWindow* page, int id) {
        auto* widget = page->findChild<T*>(QStringLiteral("c%1").arg(id));
        if (widget == nullptr) {
            qFatal("no control %d", id);
        }
        return widget;
    }
    QLineEdit* field(PageWindow* page, int id) { return find<QLineEdit>(page, id); }
    QString box(PageWindow* page, int id) { return find<QPlainTextEdit>(page, id)->toPlainText(); }
    void click(PageWindow* page, int id) {
        QTest::mouseClick(find<QAbstractButton>(page, id), Qt::LeftButton);
    }

    // Clicks a button whose action ends in a notice; returns the notice text.
    QString clickAndAnswer(PageWindow* page, int id, std::function<void()> whileOpen = {}) {
        QString text;
        answerNotice(&text, std::move(whileOpen), page);
        click(page, id);
        return text;
    }

    void answerSaveAs(const QString& path) {
        whenShown<QFileDialog>([path](QFileDialog* dialog) { saveAs(dialog, path); });
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

  private slots:
    void init() {
        m_random = std::make_unique<ovantis::RandomSource>(ovantis::RandomSource::Kind::Classic,
                                                           [] { return std::time_t{1}; });
        m_dialog = std::make_unique<MainDialog>(*m_random);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void cleanup() {
        qDeleteAll(pendingAnswers().children());
        m_dialog.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void startupShowsTheDefaults() {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Ovantis V1.0127"));
        QVERIFY(!(m_dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m_dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
        QCOMPARE(m_dialog->tabBar()->count(), 3);
        QCOMPARE(m_dialog->tabBar()->tabText(2), QStringLiteral("时间"));
        QCOMPARE(m_dialog->tabBar()->currentIndex(), 0);
        QVERIFY(m_dialog->stringPage()->isVisible());
        QVERIFY(!m_dialog->numberPage()->isVisible());
        QCOMPARE(m_dialog->findChild<QLabel*>(QStringLiteral("c1000"))->text(),
                 QStringLiteral("随机密码、随机用户名、随机域名等"));

        // Every field's start-up text, check state and enabled state, page by page.
        StringPage* s = m_dialog->stringPage();
        NumberPage* n = m_dialog->numberPage();
        TimePage* t = m_dialog->timePage();
        const std::tuple<PageWindow*, int, const char*> texts[] = {
            {s, 1015, "5"},  {s, 1016, "8"}, {s, 1017, "10"},  {n, 1020, "80"},   {n, 1021, "100"},
            {n, 1022, "10"}, {n, 1023, "2"}, {t, 1007, "500"}, {t, 1009, "3000"}, {t, 1008, "10"},
        };
        for (const auto& [page, id, text] : texts) {
            QCOMPARE(field(page, id)->text(), QString::fromUtf8(text));
        }
        const std::tuple<PageWindow*, int, bool> checks[] = {
            {s, 1002, true}, {s, 1003, true}, {s, 1004, false},
            {n, 1018, true}, {n, 1019, true}, {t, 1014, false},
        };
        for (const auto& [page, id, checked] : checks) {
            QCOMPARE(find<QCheckBox>(page, id)->isChecked(), checked);
        }
        QVERIFY(field(n, 1023)->isEnabled());
        QVERIFY(!field(t, 1013)->isEnabled());
        QCOMPARE(field(s, 1016)->accessibleName(), QStringLiteral("生成长度：~"));
        QCOMPARE(find(t, 1027)->accessibleName(), QStringLiteral("结果输出，"));

        // Tab order follows the template.
        QCOMPARE(find(s, 1002)->nextInFocusChain(), find(s, 1003));
        QCOMPARE(find(s, 1017)->nextInFocusChain(), find(s, 1010));
    }

    void stringGenerateShowsTheLinesAndDisablesGenerateWhileTheNoticeIsOpen() {
        StringPage* s = m_dialog->stringPage();
        find<QPlainTextEdit>(s, 1010)->setPlainText(QStringLiteral("typed by hand"));
        bool enabledWhileOpen = true;
        const QString notice =
            clickAndAnswer(s, 1011, [&] { enabledWhileOpen = find(s, 1011)->isEnabled(); });
        QCOMPARE(notice, QStringLiteral("生成成功！"));
        QVERIFY(!enabledWhileOpen);
        QVERIFY(find(s, 1011)->isEnabled());
        QCOMPARE(box(s, 1010).split('\n'),
                 QStringList({"gmAfxi", "VCGbDXff", "STPpxPV", "tCscEIF", "NMKssE", "yXTsYSDe",
                              "BOJVAy", "OyFbpJi", "AyhNRp", "JOauW", ""}));
    }

    void rejectedGenerateLeavesEverythingAsItWas() {
        StringPage* s = m_dialog->stringPage();
        clickAndAnswer(s, 1011);
        const QString before = box(s, 1010);
        field(s, 1017)->setText(QStringLiteral("0"));
        QCOMPARE(clickAndAnswer(s, 1011), QStringLiteral("生成个数设定无效！"));
        QCOMPARE(box(s, 1010), before);
        QVERIFY(find(s, 1011)->isEnabled());

        field(s, 1017)->setText(QStringLiteral("1000001"));
        QVERIFY(clickAndAnswer(s, 1011).contains(QStringLiteral("ovantis-cli")));
        QCOMPARE(box(s, 1010), before);
    }

    void numberPageTogglesPlacesAndGenerates() {
        m_dialog->tabBar()->setCurrentIndex(1);
        NumberPage* n = m_dialog->numberPage();
        click(n, 1019);
        QVERIFY(!field(n, 1023)->isEnabled());
        QCOMPARE(field(n, 1023)->text(), QStringLiteral("2"));
        click(n, 1019);
        QVERIFY(field(n, 1023)->isEnabled());
        QCOMPARE(clickAndAnswer(n, 1024), QStringLiteral("生成成功！"));
        QCOMPARE(box(n, 1026).split('\n').mid(0, 5),
                 QStringList({"80.87", "89.60", "100", "85.89", "98.85"}));

        field(n, 1023)->setText(QStringLiteral("-1"));  // pasted: validation copes
        field(n, 1020)->setText(QStringLiteral("100"));
        field(n, 1021)->setText(QStringLiteral("80"));
        QCOMPARE(clickAndAnswer(n, 1024), QStringLiteral("保留小数位数设定无效！"));
    }

    void digitsOnlyFieldsTakeTypedDigitsAndPastedText() {
        QLineEdit* count = field(m_dialog->stringPage(), 1017);
        count->clear();
        QTest::keyClicks(count, QStringLiteral("1a-2 3"));
        QCOMPARE(count->text(), QStringLiteral("123"));
        count->insert(QStringLiteral("-5"));
        QCOMPARE(count->text(), QStringLiteral("123-5"));
    }

    void timedRunCompletesAndKeepsRunningWhileAnotherNoticeIsOpen() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        QCOMPARE(m_dialog->findChild<QLabel*>(QStringLiteral("c1000"))->text(),
                 QStringLiteral("不定时日期数值，并可执行命令行外部程序"));
        field(t, 1007)->setText(QStringLiteral("0"));
        field(t, 1009)->setText(QStringLiteral("20"));
        field(t, 1008)->setText(QStringLiteral("6"));
        QString finished;
        answerNotice(&finished, {}, t);
        click(t, 1028);
        QVERIFY(!find(t, 1028)->isEnabled());

        // A notice on the String page runs its own loop; the run goes on inside it.
        m_dialog->tabBar()->setCurrentIndex(0);
        int linesWhileOpen = 0;
        QCOMPARE(clickAndAnswer(m_dialog->stringPage(), 1011,
                                [&] {
                                    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
                                    linesWhileOpen = box(t, 1027).count('\n');
                                }),
                 QStringLiteral("生成成功！"));
        QCOMPARE(linesWhileOpen, 6);
        QCOMPARE(finished, QStringLiteral("生成成功！"));
        QVERIFY(find(t, 1028)->isEnabled());
        const QRegularExpression line(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2}   \\d{2}:\\d{2}:\\d{2}$"));
        for (const QString& text : box(t, 1027).split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
        }
    }

    void runExternalToggleEnablesTheCommandWithoutClearingIt() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        click(t, 1014);
        QVERIFY(field(t, 1013)->isEnabled());
        QCOMPARE(clickAndAnswer(t, 1028), QStringLiteral("外部程序命令行无效！"));
        field(t, 1013)->setText(QStringLiteral("notepad"));
        click(t, 1014);
        QVERIFY(!field(t, 1013)->isEnabled());
        QCOMPARE(field(t, 1013)->text(), QStringLiteral("notepad"));
    }

    void tabsKeepEachPagesFieldsAndResults() {
        StringPage* s = m_dialog->stringPage();
        field(s, 1005)->setText(QStringLiteral("head-"));
        clickAndAnswer(s, 1011);
        const QString results = box(s, 1010);
        m_dialog->tabBar()->setCurrentIndex(2);
        QVERIFY(m_dialog->timePage()->isVisible());
        QVERIFY(!s->isVisible());
        m_dialog->tabBar()->setCurrentIndex(0);
        QCOMPARE(field(s, 1005)->text(), QStringLiteral("head-"));
        QCOMPARE(box(s, 1010), results);
        m_dialog->ShowPage(7);
        QVERIFY(m_dialog->findChild<QLabel*>(QStringLiteral("c1000"))->text().isEmpty());
        QVERIFY(s->isVisible());
    }

    void exportWritesTheBoxWithCrLfIncludingTypedText() {
        StringPage* s = m_dialog->stringPage();
        field(s, 1017)->setText(QStringLiteral("3"));
        clickAndAnswer(s, 1011);
        find<QPlainTextEdit>(s, 1010)->appendPlainText(QStringLiteral("手写"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        answerSaveAs(path);
        bool enabledWhileOpen = true;
        QCOMPARE(clickAndAnswer(s, 1012, [&] { enabledWhileOpen = find(s, 1012)->isEnabled(); }),
                 QStringLiteral("导出成功！"));
        QVERIFY(!enabledWhileOpen);
        QVERIFY(find(s, 1012)->isEnabled());
        QCOMPARE(readAll(path),
                 QStringLiteral("gmAfxi\r\nVCGbDXff\r\nSTPpxPV\r\n\r\n手写").toUtf8());
    }

    void exportProposesTheNameAndAddsTheSuffix() {
        QTemporaryDir dir;
        QString proposed;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            proposed = dialog->selectedFiles().value(0);
            filters = dialog->nameFilters();
            saveAs(dialog, dir.filePath(QStringLiteral("plain")));
        });
        QCOMPARE(clickAndAnswer(m_dialog->numberPage(), 1025), QStringLiteral("导出成功！"));
        QVERIFY(proposed.endsWith(QStringLiteral("随机字符串.txt")));
        QCOMPARE(filters, QStringList({"文本文件 (*.txt)", "所有文件 (*)"}));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("plain.txt"))), QByteArray());
    }

    void exportCancelWritesNothing() {
        StringPage* s = m_dialog->stringPage();
        whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        click(s, 1012);
        QVERIFY(find(s, 1012)->isEnabled());
    }

    void exportOverAnExistingFileAsksAndReplacesIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content that is longer");
        old.close();
        QString question;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            whenShown<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            });
            saveAs(dialog, path);
        });
        TimePage* t = m_dialog->timePage();
        find<QPlainTextEdit>(t, 1027)->setPlainText(QStringLiteral("a\nb"));
        QCOMPARE(clickAndAnswer(t, 1029), QStringLiteral("导出成功！"));
        QVERIFY(question.contains(QStringLiteral("old.txt")));
        QCOMPARE(readAll(path), QByteArray("a\r\nb"));
    }

    void exportFailureIsReportedAndExportComesBack() {
        StringPage* s = m_dialog->stringPage();
        QTemporaryDir dir;
        answerSaveAs(dir.filePath(QStringLiteral("missing/out.txt")));
        const QString notice = clickAndAnswer(s, 1012);
        QVERIFY2(notice.startsWith(QStringLiteral("导出失败！")), qPrintable(notice));
        QVERIFY(find(s, 1012)->isEnabled());
    }

    void longRunShowsProgressAndCancelKeepsTheLinesMade() {
        NumberPage* n = m_dialog->numberPage();
        m_dialog->tabBar()->setCurrentIndex(1);
        // Only the top grid point lies above 99.999, so each line costs ~32768 draws.
        field(n, 1020)->setText(QStringLiteral("99.999"));
        find<QCheckBox>(n, 1018)->setChecked(false);
        field(n, 1022)->setText(QStringLiteral("1000000"));
        whenShown<QProgressDialog>([](QProgressDialog* progress) {
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        click(n, 1024);
        const QStringList lines = box(n, 1026).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QVERIFY(lines.size() < 1000000);
        QCOMPARE(lines.size() % 4096, 0);
        QCOMPARE(lines.first(), QStringLiteral("100.00"));
        QVERIFY(find(n, 1024)->isEnabled());
    }

    void aboutComesFromTheContextMenu() {
        QString name;
        QString title;
        whenShown<QMenu>([&](QMenu* menu) {
            QAction* about = menu->findChild<QAction*>(QStringLiteral("aboutAction"));
            QCOMPARE(about->text(), QStringLiteral("关于 Ovantis(&A)..."));
            whenShown<QDialog>(
                [&](QDialog* dialog) {
                    title = dialog->windowTitle();
                    name = dialog->findChild<QLabel*>(QStringLiteral("aboutName"))->text();
                    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("aboutOk")),
                                      Qt::LeftButton);
                },
                [](QDialog* dialog) {
                    return dialog->objectName() == QStringLiteral("aboutDialog");
                });
            about->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                m_dialog->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_dialog.get(), &event);
        QCOMPARE(title, QStringLiteral("关于"));
        QCOMPARE(name, QStringLiteral("Ovantis V1.0127"));
        QVERIFY(m_dialog->isVisible());
    }

    void enterAndEscapeEndTheWindowOnlyFromTheTabBar() {
        QLineEdit* count = field(m_dialog->stringPage(), 1017);
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Escape);
        QTest::keyClick(count, Qt::Key_Return);
        QTest::keyClick(find(m_dialog->stringPage(), 1002), Qt::Key_Escape);
        QVERIFY(m_dialog->isVisible());
        QSignalSpy finished(m_dialog.get(), &QDialog::finished);
        m_dialog->tabBar()->setFocus();
        QTest::keyClick(m_dialog->tabBar(), Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!m_dialog->isVisible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    GeneratorApp generator(app);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
