// The window worked as a user would, offscreen: real widgets, real clicks,
// real message boxes and file dialogs answered as they open.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "GeneratorApp.h"
#include "MainDialog.h"
#include "ModalAnswer.h"
#include "NumberPage.h"
#include "StringGenerator.h"
#include "StringPage.h"
#include "TimePage.h"
#include "Translations.h"

namespace ids = ovantis::ids;

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

    // Opens About from the context menu and closes it with its button: the
    // menu item's, the title's, the name's and the button's texts.
    QStringList openAbout() {
        QStringList texts;
        whenShown<QMenu>([&](QMenu* menu) {
            QAction* about = menu->findChild<QAction*>(QStringLiteral("aboutAction"));
            texts << about->text();
            whenShown<QDialog>(
                [&](QDialog* dialog) {
                    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("aboutOk"));
                    texts << dialog->windowTitle()
                          << dialog->findChild<QLabel*>(QStringLiteral("aboutName"))->text()
                          << ok->text();
                    QTest::mouseClick(ok, Qt::LeftButton);
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
        return texts;
    }

    // The widths a text needs and has, for controls that show one.
    static std::pair<int, int> neededAndRoom(QWidget* w) {
        const QFontMetrics metrics = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            return {metrics.horizontalAdvance(label->text()), label->contentsRect().width()};
        }
        if (qobject_cast<QCheckBox*>(w) != nullptr || qobject_cast<QTabBar*>(w) != nullptr) {
            return {w->sizeHint().width(), w->width()};
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int margins = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
            return {metrics.horizontalAdvance(button->text()) + margins, button->width()};
        }
        return {0, 0};
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
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Ovantis V1.0127"));  // from 1.0.127
        QVERIFY(!(m_dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m_dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
        QCOMPARE(m_dialog->tabBar()->count(), 3);
        QCOMPARE(m_dialog->tabBar()->tabText(2), QStringLiteral("时间"));
        QCOMPARE(m_dialog->tabBar()->currentIndex(), 0);
        QVERIFY(m_dialog->stringPage()->isVisible());
        QVERIFY(!m_dialog->numberPage()->isVisible());
        QCOMPARE(controlOf<QLabel>(m_dialog.get(), ids::kDescription)->text(),
                 QStringLiteral("随机密码、随机用户名、随机域名等"));

        // Every field's start-up text, check state and enabled state, page by page.
        StringPage* s = m_dialog->stringPage();
        NumberPage* n = m_dialog->numberPage();
        TimePage* t = m_dialog->timePage();
        const std::tuple<PageWindow*, int, const char*> texts[] = {
            {s, ids::kMinLength, "5"},    {s, ids::kMaxLength, "8"},  {s, ids::kStringCount, "10"},
            {n, ids::kLow, "80"},         {n, ids::kHigh, "100"},     {n, ids::kNumberCount, "10"},
            {n, ids::kPlaces, "2"},       {t, ids::kMinDelay, "500"}, {t, ids::kMaxDelay, "3000"},
            {t, ids::kCountEvents, "10"},
        };
        for (const auto& [page, id, text] : texts) {
            QCOMPARE(field(page, id)->text(), QString::fromUtf8(text));
        }
        const std::tuple<PageWindow*, int, bool> checks[] = {
            {s, ids::kUpper, true},     {s, ids::kLower, true},     {s, ids::kDigits, false},
            {n, ids::kIntegerOn, true}, {n, ids::kDecimalOn, true}, {t, ids::kRunExternal, false},
        };
        for (const auto& [page, id, checked] : checks) {
            QCOMPARE(find<QCheckBox>(page, id)->isChecked(), checked);
        }
        QVERIFY(field(n, ids::kPlaces)->isEnabled());
        QVERIFY(!field(t, ids::kCommand)->isEnabled());
        QCOMPARE(field(s, ids::kMaxLength)->accessibleName(), QStringLiteral("最大生成长度"));
        QCOMPARE(find(t, ids::kTimeOutput)->accessibleName(), QStringLiteral("结果输出"));

        // Tab order follows the template.
        QCOMPARE(find(s, ids::kUpper)->nextInFocusChain(), find(s, ids::kLower));
        QCOMPARE(find(s, ids::kStringCount)->nextInFocusChain(), find(s, ids::kStringOutput));
    }

    void stringGenerateShowsTheLinesAndDisablesGenerateWhileTheNoticeIsOpen() {
        StringPage* s = m_dialog->stringPage();
        find<QPlainTextEdit>(s, ids::kStringOutput)->setPlainText(QStringLiteral("typed by hand"));
        bool enabledWhileOpen = true;
        const QString notice = clickAndAnswer(s, ids::kStringGenerate, [&] {
            enabledWhileOpen = find(s, ids::kStringGenerate)->isEnabled();
        });
        QCOMPARE(notice, QStringLiteral("生成成功！"));
        QVERIFY(!enabledWhileOpen);
        QVERIFY(find(s, ids::kStringGenerate)->isEnabled());
        QCOMPARE(box(s, ids::kStringOutput).split('\n'),
                 QStringList({"gmAfxi", "VCGbDXff", "STPpxPV", "tCscEIF", "NMKssE", "yXTsYSDe",
                              "BOJVAy", "OyFbpJi", "AyhNRp", "JOauW", ""}));
    }

    void numberPageTogglesPlacesAndGenerates() {
        m_dialog->tabBar()->setCurrentIndex(1);
        NumberPage* n = m_dialog->numberPage();
        click(n, ids::kDecimalOn);
        QVERIFY(!field(n, ids::kPlaces)->isEnabled());
        QCOMPARE(field(n, ids::kPlaces)->text(), QStringLiteral("2"));
        click(n, ids::kDecimalOn);
        QVERIFY(field(n, ids::kPlaces)->isEnabled());
        QCOMPARE(clickAndAnswer(n, ids::kNumberGenerate), QStringLiteral("生成成功！"));
        QCOMPARE(box(n, ids::kNumberOutput).count('\n'), 10);
    }

    void digitsOnlyFieldsTakeTypedDigitsAndPastedText() {
        QLineEdit* count = field(m_dialog->stringPage(), ids::kStringCount);
        count->clear();
        QTest::keyClicks(count, QStringLiteral("1a-2 3"));
        QCOMPARE(count->text(), QStringLiteral("123"));
        count->insert(QStringLiteral("-5"));
        QCOMPARE(count->text(), QStringLiteral("123-5"));
    }

    void timedRunCompletesAndKeepsRunningWhileAnotherNoticeIsOpen() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        QCOMPARE(controlOf<QLabel>(m_dialog.get(), ids::kDescription)->text(),
                 QStringLiteral("不定时日期数值，并可执行命令行外部程序"));
        field(t, ids::kMinDelay)->setText(QStringLiteral("0"));
        field(t, ids::kMaxDelay)->setText(QStringLiteral("20"));
        field(t, ids::kCountEvents)->setText(QStringLiteral("6"));
        QString finished;
        answerNotice(&finished, {}, t);
        click(t, ids::kTimeGenerate);
        QVERIFY(!find(t, ids::kTimeGenerate)->isEnabled());

        // A notice on the String page runs its own loop; the run goes on inside it.
        m_dialog->tabBar()->setCurrentIndex(0);
        int linesWhileOpen = 0;
        QCOMPARE(clickAndAnswer(m_dialog->stringPage(), ids::kStringGenerate,
                                [&] {
                                    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
                                    linesWhileOpen = box(t, ids::kTimeOutput).count('\n');
                                }),
                 QStringLiteral("生成成功！"));
        QCOMPARE(linesWhileOpen, 6);
        QCOMPARE(finished, QStringLiteral("生成成功！"));
        QVERIFY(find(t, ids::kTimeGenerate)->isEnabled());
        const QRegularExpression line(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2}   \\d{2}:\\d{2}:\\d{2}$"));
        for (const QString& text : box(t, ids::kTimeOutput).split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
        }
    }

    void runExternalToggleEnablesTheCommandWithoutClearingIt() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        click(t, ids::kRunExternal);
        QVERIFY(field(t, ids::kCommand)->isEnabled());
        QCOMPARE(clickAndAnswer(t, ids::kTimeGenerate), QStringLiteral("外部程序命令行无效！"));
        field(t, ids::kCommand)->setText(QStringLiteral("notepad"));
        click(t, ids::kRunExternal);
        QVERIFY(!field(t, ids::kCommand)->isEnabled());
        QCOMPARE(field(t, ids::kCommand)->text(), QStringLiteral("notepad"));
    }

    void tabsKeepEachPagesFieldsAndResults() {
        StringPage* s = m_dialog->stringPage();
        field(s, ids::kHead)->setText(QStringLiteral("head-"));
        clickAndAnswer(s, ids::kStringGenerate);
        const QString results = box(s, ids::kStringOutput);
        m_dialog->tabBar()->setCurrentIndex(2);
        QVERIFY(m_dialog->timePage()->isVisible());
        QVERIFY(!s->isVisible());
        m_dialog->tabBar()->setCurrentIndex(0);
        QCOMPARE(field(s, ids::kHead)->text(), QStringLiteral("head-"));
        QCOMPARE(box(s, ids::kStringOutput), results);
        m_dialog->ShowPage(7);
        QVERIFY(controlOf<QLabel>(m_dialog.get(), ids::kDescription)->text().isEmpty());
        QVERIFY(s->isVisible());
    }

    void exportProposesANameAndWritesTheBoxIncludingTypedText() {
        StringPage* s = m_dialog->stringPage();
        field(s, ids::kStringCount)->setText(QStringLiteral("3"));
        clickAndAnswer(s, ids::kStringGenerate);
        find<QPlainTextEdit>(s, ids::kStringOutput)->appendPlainText(QStringLiteral("手写"));
        QTemporaryDir dir;
        QString proposed;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            proposed = dialog->selectedFiles().value(0);
            filters = dialog->nameFilters();
            saveAs(dialog, dir.filePath(QStringLiteral("plain")));
        });
        bool enabledWhileOpen = true;
        QCOMPARE(
            clickAndAnswer(s, ids::kStringExport,
                           [&] { enabledWhileOpen = find(s, ids::kStringExport)->isEnabled(); }),
            QStringLiteral("导出成功！"));
        QVERIFY(!enabledWhileOpen);
        QVERIFY(proposed.endsWith(QStringLiteral("随机字符串.txt")));
        QCOMPARE(filters, QStringList({"文本文件 (*.txt)", "所有文件 (*)"}));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("plain.txt"))),
                 QStringLiteral("gmAfxi\r\nVCGbDXff\r\nSTPpxPV\r\n\r\n手写").toUtf8());
    }

    void exportCancelWritesNothing() {
        StringPage* s = m_dialog->stringPage();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        whenShown<QFileDialog>([path](QFileDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            dialog->reject();
        });
        QString notice;
        answerNotice(&notice);
        click(s, ids::kStringExport);
        QTest::qWait(100);
        QVERIFY2(notice.isEmpty(), qPrintable(notice));
        QVERIFY(!QFile::exists(path));
        QVERIFY(find(s, ids::kStringExport)->isEnabled());
    }

    void timeLogShowsEveryEventAndRewritesTextTypedBetweenEvents() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        field(t, ids::kMinDelay)->setText(QStringLiteral("200"));
        field(t, ids::kMaxDelay)->setText(QStringLiteral("200"));
        field(t, ids::kCountEvents)->setText(QStringLiteral("3"));
        QString finished;
        answerNotice(&finished, {}, t);
        click(t, ids::kTimeGenerate);
        auto* output = find<QPlainTextEdit>(t, ids::kTimeOutput);
        QTRY_COMPARE(output->toPlainText().count('\n'), 1);
        output->appendPlainText(QStringLiteral("typed"));
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
        QCOMPARE(output->toPlainText().count('\n'), 3);
        QVERIFY(!output->toPlainText().contains(QStringLiteral("typed")));
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
        find<QPlainTextEdit>(t, ids::kTimeOutput)->setPlainText(QStringLiteral("a\nb"));
        QCOMPARE(clickAndAnswer(t, ids::kTimeExport), QStringLiteral("导出成功！"));
        QVERIFY(question.contains(QStringLiteral("old.txt")));
        QCOMPARE(readAll(path), QByteArray("a\r\nb"));
    }

    void exportFailureIsReportedAndExportComesBack() {
        StringPage* s = m_dialog->stringPage();
        QTemporaryDir dir;
        answerSaveAs(dir.filePath(QStringLiteral("missing/out.txt")));
        const QString notice = clickAndAnswer(s, ids::kStringExport);
        QVERIFY2(notice.startsWith(QStringLiteral("导出失败！")), qPrintable(notice));
        QVERIFY(find(s, ids::kStringExport)->isEnabled());
    }

    void longRunShowsProgressAndCancelKeepsTheLinesMade() {
        NumberPage* n = m_dialog->numberPage();
        m_dialog->tabBar()->setCurrentIndex(1);
        // Only the top grid point lies above 99.999, so each line costs ~32768 draws.
        field(n, ids::kLow)->setText(QStringLiteral("99.999"));
        find<QCheckBox>(n, ids::kIntegerOn)->setChecked(false);
        field(n, ids::kNumberCount)->setText(QStringLiteral("1000000"));
        whenShown<QProgressDialog>([](QProgressDialog* progress) {
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        click(n, ids::kNumberGenerate);
        const QStringList lines = box(n, ids::kNumberOutput).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QVERIFY(lines.size() < 1000000);
        QCOMPARE(lines.size() % 4096, 0);
        QCOMPARE(lines.first(), QStringLiteral("100.00"));
        QVERIFY(find(n, ids::kNumberGenerate)->isEnabled());
    }

    void aboutComesFromTheContextMenu() {
        QCOMPARE(openAbout(),
                 QStringList({"关于 Ovantis(&A)...", "关于", "Ovantis V1.0127", "确定"}));
        QVERIFY(m_dialog->isVisible());
    }

    void secureSourceIsAContextMenuChoiceRememberedAcrossRuns() {
        StringPage* s = m_dialog->stringPage();
        const auto toggleSecure = [&] {
            whenShown<QMenu>([](QMenu* menu) {
                menu->findChild<QAction*>(QStringLiteral("secureAction"))->trigger();
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    m_dialog->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(m_dialog.get(), &event);
        };
        const auto firstLine = [&] {
            clickAndAnswer(s, ids::kStringGenerate);
            return box(s, ids::kStringOutput).section('\n', 0, 0);
        };
        QVERIFY(!m_dialog->isSecure());
        toggleSecure();
        QVERIFY(m_dialog->isSecure());
        // The clock is pinned, so only secure draws differ from run to run.
        QVERIFY(firstLine() != firstLine());
        m_dialog = std::make_unique<MainDialog>(*m_random);
        m_dialog->show();
        QVERIFY(m_dialog->isSecure());
        s = m_dialog->stringPage();
        toggleSecure();
        QCOMPARE(firstLine(), QStringLiteral("gmAfxi"));
        m_dialog = std::make_unique<MainDialog>(*m_random);
        QVERIFY(!m_dialog->isSecure());
    }

    void languageFollowsTheLocaleAndLangOverridesIt() {
        using L = Translations::Language;
        const std::tuple<QStringList, QString, std::optional<L>> cases[] = {
            {{"en-US", "en-Latn-US", "en"}, "", L::English},
            {{"zh-CN", "zh-Hans-CN", "zh"}, "", L::Chinese},
            {{"C"}, "", L::Chinese},
            {{"de-DE", "de"}, "", L::Chinese},
            {{"zh-CN"}, "en", L::English},
            {{"en-GB"}, "zh", L::Chinese},
            {{"C"}, "fr", std::nullopt},
        };
        for (const auto& [languages, requested, expected] : cases) {
            QVERIFY2(Translations::choose(languages, requested) == expected,
                     qPrintable(languages.join(',') + ' ' + requested));
        }
    }

    void englishReachesPagesNoticesDialogsAndAbout() {
        Translations english;
        english.install(Translations::Language::English);
        m_dialog = std::make_unique<MainDialog>(*m_random);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        QCOMPARE(m_dialog->tabBar()->tabText(0), QStringLiteral("Strings"));
        QCOMPARE(controlOf<QLabel>(m_dialog.get(), ids::kDescription)->text(),
                 QStringLiteral("Random passwords, user names, domain names and more"));
        StringPage* s = m_dialog->stringPage();
        QCOMPARE(find<QCheckBox>(s, ids::kUpper)->text(), QStringLiteral("A–Z"));
        QCOMPARE(find<QPushButton>(s, ids::kStringExport)->text(), QStringLiteral("Export"));
        QCOMPARE(field(s, ids::kMaxLength)->accessibleName(), QStringLiteral("Maximum length"));
        field(s, ids::kStringCount)->setText(QStringLiteral("0"));
        QCOMPARE(clickAndAnswer(s, ids::kStringGenerate), QStringLiteral("Invalid count!"));
        field(s, ids::kStringCount)->setText(QStringLiteral("2000000"));
        QVERIFY(clickAndAnswer(s, ids::kStringGenerate)
                    .startsWith(QStringLiteral("The results may not fit in the output box, which "
                                               "takes at most 1000000 lines and 64 MiB of text")));
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters() << dialog->selectedFiles().value(0);
            dialog->reject();
        });
        click(s, ids::kStringExport);
        QVERIFY(filters.value(2).endsWith(QStringLiteral("/random-strings.txt")));
        QCOMPARE(filters.mid(0, 2), QStringList({"Text files (*.txt)", "All files (*)"}));
        QCOMPARE(openAbout(), QStringList({"&About Ovantis...", "About", "Ovantis V1.0127", "OK"}));
    }

    void everyTextFitsItsControlInBothLanguagesAt96And144Dpi() {
        const QFont normal = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(normal); });
        for (const auto language :
             {Translations::Language::Chinese, Translations::Language::English}) {
            Translations translations;
            translations.install(language);
            // 144 dpi draws the 9 points with 1.5 times the pixels.
            for (const qreal scale : {1.0, 1.5}) {
                QFont font = normal;
                font.setPointSizeF(normal.pointSizeF() * scale);
                QApplication::setFont(font);
                MainDialog dialog(*m_random);
                const AboutDialog about(&dialog);
                for (int page = 0; page < 3; ++page) {
                    dialog.ShowPage(page);
                    for (QWidget* w :
                         dialog.findChildren<QWidget*>() + about.findChildren<QWidget*>()) {
                        const auto [needed, room] = neededAndRoom(w);
                        QVERIFY2(
                            needed <= room,
                            qPrintable(QStringLiteral("%1 (%2) at %3: %4 > %5 px")
                                           .arg(w->objectName(), w->property("text").toString(),
                                                QString::number(scale), QString::number(needed),
                                                QString::number(room))));
                    }
                }
            }
        }
    }

    void keysSwitchPagesAndOnlyEscapeFromTheClickedTabBarEndsTheWindow() {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QTabBar* tabs = m_dialog->tabBar();
        StringPage* s = m_dialog->stringPage();
        QLineEdit* count = field(s, ids::kStringCount);
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Escape);
        QTest::keyClick(count, Qt::Key_Return);
        QTest::keyClick(find(s, ids::kUpper), Qt::Key_Escape);
        // Tab and Shift+Tab go round the page, never onto the tab bar.
        QTest::keyClick(find(s, ids::kUpper), Qt::Key_Backtab, Qt::ShiftModifier);
        for (int i = 0; i < 12; ++i) {
            QVERIFY(QApplication::focusWidget() != tabs);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // Page keys work from inside an output box and wrap both ways.
        find(s, ids::kStringOutput)->setFocus();
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, QWidget*> steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, find(m_dialog->numberPage(), ids::kIntegerOn)},
            {Qt::Key_PageDown, Qt::ControlModifier, find(m_dialog->timePage(), ids::kRunExternal)},
            {Qt::Key_Tab, Qt::ControlModifier, find(s, ids::kUpper)},
            {Qt::Key_PageUp, Qt::ControlModifier, find(m_dialog->timePage(), ids::kRunExternal)},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier,
             find(m_dialog->numberPage(), ids::kIntegerOn)},
        };
        for (const auto& [key, modifiers, first] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            QCOMPARE(QApplication::focusWidget(), first);
        }
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(tabs->hasFocus());
        QTest::keyClick(tabs, Qt::Key_Return);
        QTest::keyClick(tabs, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(m_dialog->isVisible());
        QSignalSpy finished(m_dialog.get(), &QDialog::finished);
        QTest::keyClick(tabs, Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!m_dialog->isVisible());
    }

    void togglesMadeInCodeMoveTheirFields() {
        find<QAbstractButton>(m_dialog->numberPage(), ids::kDecimalOn)->toggle();
        QVERIFY(!field(m_dialog->numberPage(), ids::kPlaces)->isEnabled());
        find<QAbstractButton>(m_dialog->timePage(), ids::kRunExternal)->toggle();
        QVERIFY(field(m_dialog->timePage(), ids::kCommand)->isEnabled());
    }

    void screenReadersGetStandAloneNamesAndEachLabelsField() {
        for (PageWindow* page : m_dialog->findChildren<PageWindow*>()) {
            QList<QWidget*> fields;
            for (QWidget* w : page->findChildren<QWidget*>()) {
                if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) {
                    fields << w;
                }
            }
            for (QWidget* w : fields) {
                const QString name =
                    QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
                QVERIFY2(!name.isEmpty() && !name.endsWith(QStringLiteral("：")) &&
                             !name.endsWith(QLatin1Char('~')),
                         qPrintable(name));
            }
            for (QLabel* label : page->findChildren<QLabel*>()) {
                QVERIFY2(fields.contains(label->buddy()), qPrintable(label->text()));
                const auto relations = QAccessible::queryAccessibleInterface(label->buddy())
                                           ->relations(QAccessible::Label);
                QVERIFY(std::any_of(relations.begin(), relations.end(),
                                    [label](const auto& r) { return r.first->object() == label; }));
            }
        }
    }

    void pastedLineBreaksCutThePaste() {
        QLineEdit* head = field(m_dialog->stringPage(), ids::kHead);
        head->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("user\nname_"));
        QTest::keySequence(head, QKeySequence::Paste);
        QCOMPARE(head->text(), QStringLiteral("user"));
        head->setCursorPosition(2);
        head->insert(QStringLiteral("\r\n-"));
        QCOMPARE(head->text(), QStringLiteral("user"));
        QCOMPARE(head->cursorPosition(), 2);
    }

    void exportKeepsNoBreakSpaces() {
        StringPage* s = m_dialog->stringPage();
        find<QPlainTextEdit>(s, ids::kStringOutput)->setPlainText(QStringLiteral("a\u00A0b\nc"));
        QTemporaryDir dir;
        answerSaveAs(dir.filePath(QStringLiteral("nbsp.txt")));
        QCOMPARE(clickAndAnswer(s, ids::kStringExport), QStringLiteral("导出成功！"));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("nbsp.txt"))), QByteArray("a\xC2\xA0"
                                                                               "b\r\nc"));
    }

    void halfBoundsGiveOnlyOnesUnderANoticeWithoutAName() {
        NumberPage* n = m_dialog->numberPage();
        m_dialog->tabBar()->setCurrentIndex(1);
        click(n, ids::kDecimalOn);
        field(n, ids::kLow)->setText(QStringLiteral("0.5"));
        field(n, ids::kHigh)->setText(QStringLiteral("1.5"));
        QString title = QStringLiteral("<none>");
        whenShown<QMessageBox>([&](QMessageBox* notice) {
            title = notice->windowHandle()->title();
            QTest::mouseClick(notice->button(QMessageBox::Ok), Qt::LeftButton);
        });
        click(n, ids::kNumberGenerate);
        QCOMPARE(box(n, ids::kNumberOutput).split('\n', Qt::SkipEmptyParts), QStringList(10, "1"));
        // The window manager would show an empty title as the program's name.
        QVERIFY(!title.isEmpty());
        QVERIFY2(title.trimmed().isEmpty(), qPrintable(title));
    }

    // Results are held in blocks of many lines; none of that may show.
    void keysCopyEnterAndScreenReadersSeeLinesAcrossBlocks() {
        StringPage* s = m_dialog->stringPage();
        field(s, ids::kStringCount)->setText(QStringLiteral("300"));
        clickAndAnswer(s, ids::kStringGenerate);
        auto* output = find<QPlainTextEdit>(s, ids::kStringOutput);
        const QStringList lines = output->toPlainText().split('\n');
        output->setFocus();
        for (int i = 0; i < 126; ++i) {
            QTest::keyClick(output, Qt::Key_Down);
        }
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(output, Qt::Key_Down, Qt::ShiftModifier);
        }
        QTest::keySequence(output, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.mid(126, 4).join('\n') + '\n');
        QTest::keyClick(output, Qt::Key_Up);
        QTest::keyClick(output, Qt::Key_Home);
        QTest::keyClick(output, Qt::Key_Right);
        QTest::keyClick(output, Qt::Key_Return);
        QStringList split = lines;
        split[129].remove(0, 1);
        split.insert(129, lines[129].left(1));
        QCOMPARE(output->toPlainText().split('\n'), split);
        QAccessibleTextInterface* reader =
            QAccessible::queryAccessibleInterface(output)->textInterface();
        QCOMPARE(reader->text(0, reader->characterCount()), split.join('\n'));
    }

    void scrollBarSpansEveryLineOfALargeResult() {
        StringPage* s = m_dialog->stringPage();
        field(s, ids::kStringCount)->setText(QStringLiteral("100000"));
        clickAndAnswer(s, ids::kStringGenerate);
        auto* output = find<QPlainTextEdit>(s, ids::kStringOutput);
        QScrollBar* bar = output->verticalScrollBar();
        QCOMPARE(bar->maximum() + bar->pageStep(), 100001);     // the empty line after the last
        output->resize(output->width() + 1, output->height());  // relays the box out
        QCOMPARE(bar->maximum() + bar->pageStep(), 100001);
        bar->setValue(bar->maximum());
        const QPoint bottom(1, output->viewport()->height() - 2);
        QCOMPARE(output->cursorForPosition(bottom).position(),
                 output->document()->characterCount() - 1);
    }

    void exportOfAMillionLinesIsTheCoresTextByteForByte() {
        StringPage* s = m_dialog->stringPage();
        field(s, ids::kStringCount)->setText(QStringLiteral("1000000"));
        clickAndAnswer(s, ids::kStringGenerate);
        QTemporaryDir dir;
        answerSaveAs(dir.filePath(QStringLiteral("all.txt")));
        QCOMPARE(clickAndAnswer(s, ids::kStringExport), QStringLiteral("导出成功！"));
        ovantis::RandomSource random;
        random.seed(1);
        ovantis::StringGenerator generator(ovantis::StringSettings{}, random);
        std::string lines;
        for (int i = 0; i < 1000000; ++i) {
            generator.appendLine(lines);
            lines += "\r\n";
        }
        QVERIFY(readAll(dir.filePath(QStringLiteral("all.txt"))) ==
                QByteArray::fromStdString(lines));
    }

    // Only a rewrite groups the log; the events after it are appended below.
    void timeLogRewrittenIntoBlocksKeepsGrowing() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        field(t, ids::kMinDelay)->setText(QStringLiteral("5"));
        field(t, ids::kMaxDelay)->setText(QStringLiteral("5"));
        field(t, ids::kCountEvents)->setText(QStringLiteral("300"));
        QString finished;
        answerNotice(&finished, {}, t);
        click(t, ids::kTimeGenerate);
        auto* output = find<QPlainTextEdit>(t, ids::kTimeOutput);
        QTRY_VERIFY_WITH_TIMEOUT(output->toPlainText().count('\n') > 130, 10000);
        output->appendPlainText(QStringLiteral("typed"));
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 10000);
        const QStringList lines = output->toPlainText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 300);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^\\d{4}-.*:\\d{2}$"))), lines);
        QCOMPARE(output->verticalScrollBar()->maximum() + output->verticalScrollBar()->pageStep(),
                 301);
    }

    void timedEventsNeverComeEarly() {
        TimePage* t = m_dialog->timePage();
        m_dialog->tabBar()->setCurrentIndex(2);
        field(t, ids::kMinDelay)->setText(QStringLiteral("1000"));
        field(t, ids::kMaxDelay)->setText(QStringLiteral("1000"));
        field(t, ids::kCountEvents)->setText(QStringLiteral("1"));
        auto* output = find<QPlainTextEdit>(t, ids::kTimeOutput);
        QElapsedTimer clock;
        qint64 shownAt = -1;
        connect(output, &QPlainTextEdit::textChanged, output, [&] {
            if (shownAt < 0 && output->toPlainText().contains('\n')) {
                shownAt = clock.elapsed();
            }
        });
        QString finished;
        answerNotice(&finished, {}, t);
        clock.start();
        click(t, ids::kTimeGenerate);
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
        QVERIFY2(shownAt >= 1000, qPrintable(QString::number(shownAt)));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Remembered choices go to a throwaway folder, never the user's own.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    GeneratorApp generator(app, Translations::Language::Chinese);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
