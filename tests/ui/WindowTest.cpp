// The window worked as a user would, offscreen: real widgets, real clicks,
// real message boxes and file dialogs answered as they open.
#include <QtTest>
#include <QtWidgets>
#include <clocale>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "CoreLines.h"
#include "DialogUnits.h"
#include "DigitsOnlyFilter.h"
#include "EveryRefusal.h"
#include "GeneratorApp.h"
#include "MainDialog.h"
#include "ModalAnswer.h"
#include "NoticeText.h"
#include "Notices.h"
#include "NumberFields.h"
#include "NumberPage.h"
#include "PatternFields.h"
#include "PatternPage.h"
#include "StringFields.h"
#include "StringGenerator.h"
#include "StringPage.h"
#include "TestKeys.h"
#include "TimeFields.h"
#include "TimePage.h"
#include "Version.h"

using namespace ovantis::ids;
using namespace Qt::StringLiterals;
using Language = ovantis::Language;

class WindowTest : public QObject {
    Q_OBJECT

  public:
    explicit WindowTest(GeneratorApp& app) : m_app(app) {}

  private:
    GeneratorApp& m_app;
    std::unique_ptr<ovantis::RandomSource> m_random;
    std::unique_ptr<MainDialog> m_dialog;
    QStringList m_saveAs;  // the last Save As dialog's filters and proposed file

    void open() {
        m_dialog = std::make_unique<MainDialog>(*m_random);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    template <class T = QWidget>
    T* find(int id) {
        T* widget = controlOf<T>(m_dialog.get(), id);
        return widget != nullptr ? widget : (qFatal("no control %d", id), widget);
    }
    QLineEdit* field(int id) { return find<QLineEdit>(id); }
    QString box(int id) { return find<QPlainTextEdit>(id)->toPlainText(); }
    QString description() { return find<QLabel>(kDescription)->text(); }
    void fill(const std::vector<std::pair<int, const char*>>& texts) {
        for (const auto& [id, text] : texts) {
            field(id)->setText(QString::fromUtf8(text));
        }
    }
    void click(int id) { QTest::mouseClick(find<QAbstractButton>(id), Qt::LeftButton); }
    // Clicks a button whose action ends in a notice; returns the notice text.
    QString clickAndAnswer(
        int id, std::function<void()> whileOpen = [] {}) {
        QString text;
        answerNotice(&text, whileOpen, find(id)->parentWidget());
        click(id);
        // A word on the status line is taken once the event loop turns.
        static_cast<void>(QTest::qWaitFor([&] { return !text.isEmpty(); }, 50));
        return text;
    }
    // Sets the String page's count and generates; returns the notice, once
    // a long run has gone on to it.
    QString generate(const char* count) {
        fill({{kStringCount, count}});
        return clickAndAwait(kStringGenerate);
    }
    // Clicks and returns the notice, however long the page takes to it.
    QString clickAndAwait(int id) {
        QString text;
        answerNotice(&text, {}, find(id)->parentWidget());
        click(id);
        return QTest::qWaitFor([&] { return !text.isEmpty(); }, 60000) ? text : u"<none>"_s;
    }
    // Exports the String page to path, as the file type chosen (the one shown
    // first when -1), or cancels Save As; returns the notice.
    QString exportAs(const QString& path, bool save = true, int type = -1) {
        whenShown<QFileDialog>([=, this](QFileDialog* dialog) {
            m_saveAs = dialog->nameFilters()
                       << dialog->selectedFiles().value(0) << dialog->windowTitle()
                       << dialog->selectedNameFilter();
            if (type >= 0) {
                dialog->selectNameFilter(dialog->nameFilters().value(type));
            }
            dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(path);
            save ? saveAs(dialog, path) : dialog->reject();
        });
        const QString notice = clickAndAnswer(kStringExport);
        qDeleteAll(pendingAnswers().children());  // the answer to a notice that never came
        return notice;
    }
    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Starts a run on the Time page; the finished notice's text lands in *finished.
    void startRun(const char* min, const char* max, const char* count, QString* finished) {
        m_dialog->tabBar()->setCurrentIndex(2);
        fill({{kMinDelay, min}, {kMaxDelay, max}, {kCountEvents, count}});
        answerNotice(finished, {}, m_dialog->timePage());
        click(kTimeGenerate);
    }
    // Triggers an item of the window's context menu; returns its text, then the
    // title, name and button texts of an About it opened, closed with its button.
    // With no item, returns every item's text and triggers none.
    QStringList fromMenu(const QString& item) {
        QStringList texts;
        whenShown<AboutDialog>([&](AboutDialog* about) {
            auto* ok = about->findChild<QPushButton*>(u"aboutOk"_s);
            texts << about->windowTitle() << about->findChild<QLabel*>(u"aboutName"_s)->text()
                  << ok->text();
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        whenShown<QMenu>([&](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                if (item.isEmpty() || action->objectName() == item) {
                    texts << action->text();
                    item.isEmpty() ? void() : action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                m_dialog->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_dialog.get(), &event);
        qDeleteAll(pendingAnswers().children());  // the About answer when none opened
        return texts;
    }
    // Switches the program's language until the result is dropped.
    auto speak(Language language) {
        m_app.setLanguage(language);
        return qScopeGuard([this] { m_app.setLanguage(Language::Chinese); });
    }
    void activate() {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    // Presses keys on a control; returns the name of the menu they opened,
    // whether it opened over the control, and the names of its last two items.
    QString menuFrom(QWidget* w, const QKeySequence& keys) {
        QString shown = u"<none>"_s;
        whenShown<QMenu>([&](QMenu* menu) {
            const QPoint corner = w->mapToGlobal(QPoint(0, 0));
            const bool over = QRect(corner, w->size()).contains(menu->pos());
            const QList<QAction*> items = menu->actions();
            shown = menu->objectName() + (over ? u" over "_s : u" away "_s) +
                    items.value(items.size() - 2)->objectName() + ' ' + items.last()->objectName();
            menu->close();
        });
        activate();
        w->setFocus();
        QTest::keySequence(w, keys);
        (void)QTest::qWaitFor([&] { return shown != u"<none>"_s; });  // else "<none>"
        return shown;
    }
    static bool hasChinese(const QString& text) {
        return std::any_of(text.begin(), text.end(), [](QChar c) {
            return (c >= u'\u3000' && c < u'\uA000') || c >= u'\uFF00';
        });
    }
    // How many pixels a control's text needs beyond those it has.
    static int overflow(QWidget* w) {
        const int text = w->fontMetrics().horizontalAdvance(w->property("text").toString());
        if (qobject_cast<QCheckBox*>(w) != nullptr || qobject_cast<QTabBar*>(w) != nullptr) {
            return w->sizeHint().width() - w->width();
        }
        if (qobject_cast<QPushButton*>(w) != nullptr) {
            return text + 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin) - w->width();
        }
        if (const auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->wordWrap()) {
            return label->heightForWidth(label->width()) - label->height();
        }
        return qobject_cast<QLabel*>(w) != nullptr ? text - w->contentsRect().width() : 0;
    }
    // The version's minor and patch joined: 1.0.127 shows as V1.0127.
    static QString caption() {
        using namespace ovantis::version;
        return u"Ovantis V%1.%2%3"_s.arg(kMajor).arg(kMinor).arg(kPatch);
    }
    static ovantis::ControlKind kindOf(const QWidget* w) {
        using Kind = ovantis::ControlKind;
        return w->inherits("QCheckBox")                       ? Kind::Check
               : w->inherits("QComboBox")                     ? Kind::Choice
               : w->inherits("QPlainTextEdit")                ? Kind::Output
               : w->inherits("QPushButton")                   ? Kind::Button
               : w->inherits("QLabel")                        ? Kind::Label
               : w->findChild<DigitsOnlyFilter*>() != nullptr ? Kind::DigitsField
                                                              : Kind::Field;
    }
    // Each control of the layout stands built, of its kind and at its place;
    // nothing else does.
    template <class Settings>
    static void compareWithRows(PageWindow* page,
                                std::span<const ovantis::PageField<Settings>> rows,
                                const ovantis::PageControls& controls) {
        const DialogUnits units(page->font());
        QList<QWidget*> built = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const ovantis::WindowControl& c : ovantis::windowLayout(rows, controls)) {
            const QRect at = units.rect(c.at.x, c.at.y, c.at.w, c.at.h);
            const auto it = std::find_if(built.begin(), built.end(), [&](QWidget* w) {
                const auto* label = qobject_cast<QLabel*>(w);
                return c.id != kNone
                           ? w == page->control(c.id)
                           : label != nullptr && label->buddy() == page->control(c.buddy) &&
                                 w->geometry() == at;
            });
            QVERIFY2(it != built.end(),
                     qPrintable(u"%1 at %2,%3"_s.arg(c.id).arg(c.at.x).arg(c.at.y)));
            QVERIFY2(kindOf(*it) == c.kind && (*it)->geometry() == at,
                     qPrintable((*it)->objectName()));
            built.erase(it);
        }
        for (const QWidget* w : built) {
            if (w->objectName() == u"status"_s) {
                continue;  // the page's own status line
            }
            QFAIL(qPrintable(u"no row for "_s + w->objectName() + w->property("text").toString()));
        }
    }
    static bool isEdit(const QWidget* w) {
        return w != nullptr && (w->inherits("QLineEdit") || w->inherits("QPlainTextEdit") ||
                                w->inherits("QComboBox"));
    }

  private slots:
    void init() {
        m_random = std::make_unique<ovantis::RandomSource>(
            ovantis::RandomSource::Kind::Classic, [] { return std::time_t{1}; },
            ovantis::test::testKeys);
        GeneratorApp::settings().setValue(u"secureSource"_s, false);  // the golden lines
        GeneratorApp::settings().remove(u"fields"_s);                 // each test starts anew
        open();
    }

    void cleanup() {
        qDeleteAll(pendingAnswers().children());
        m_dialog.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void startupShowsTheVersionAndTheDefaultsInTemplateOrder() {
        QCOMPARE(m_dialog->windowTitle(), caption());
        QCOMPARE(description(), u"随机密码、随机用户名、随机域名等"_s);
        QStringList shown;  // each field's text, each check box's state
        for (const int id : {kMinLength, kMaxLength, kStringCount, kLow, kHigh, kNumberCount,
                             kPlaces, kMinDelay, kMaxDelay, kCountEvents, kUpper, kLower, kDigits,
                             kIntegerOn, kDecimalOn, kRunExternal}) {
            const QWidget* w = find(id);
            shown << w->property(w->inherits("QAbstractButton") ? "checked" : "text").toString();
        }
        QCOMPARE(shown.join(' '),
                 u"5 8 10 80 100 10 2 500 3000 10 true true false true true false"_s);
        QVERIFY(field(kPlaces)->isEnabled() && !field(kCommand)->isEnabled());
    }

    // One name on the desktop: the entry's file, its window class, the window's.
    void theDesktopEntryAndTheWindowShareOneName() {
        const QString name = QGuiApplication::desktopFileName();
        QCOMPARE(QCoreApplication::applicationName(), name);  // X11 makes WM_CLASS of it
        const QString entry = u"" OVANTIS_DESKTOP_FILE ""_s;
        QCOMPARE(QFileInfo(entry).completeBaseName(), name);
        QVERIFY(readAll(entry).contains("\nStartupWMClass=" + name.toUtf8() + '\n'));
    }

    // Every field has a name of its own, and every page label labels a field.
    void screenReadersGetStandAloneNamesAndEachLabelAField() {
        for (QWidget* w : m_dialog->findChildren<QWidget*>()) {
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            QVERIFY2(
                !isEdit(w) || !(name.isEmpty() || name.endsWith(u"："_s) || name.endsWith('~')),
                qPrintable(name));
            // A page's own line is no label.
            const auto* label = qobject_cast<QLabel*>(w);
            QVERIFY2(!label || !qobject_cast<PageWindow*>(w->parent()) || isEdit(label->buddy()) ||
                         !w->objectName().isEmpty(),
                     qPrintable(name));
        }
    }

    void everyPageIsBuiltFromItsRows() {
        compareWithRows<ovantis::StringSettings>(m_dialog->stringPage(), ovantis::kStringFields,
                                                 ovantis::kStringControls);
        compareWithRows<ovantis::NumberSettings>(m_dialog->numberPage(), ovantis::kNumberFields,
                                                 ovantis::kNumberControls);
        compareWithRows<ovantis::TimeSettings>(m_dialog->timePage(), ovantis::kTimeFields,
                                               ovantis::kTimeControls);
        compareWithRows<ovantis::PatternSettings>(m_dialog->patternPage(), ovantis::kPatternFields,
                                                  ovantis::kPatternControls);
    }

    void tabFollowsTheTemplateOrderAndNeverReachesTheTabBar() {
        QCOMPARE(find(kUpper)->nextInFocusChain(), find(kLower));
        QCOMPARE(find(kStringCount)->nextInFocusChain(), find(kStringOutput));
        activate();
        QTest::keyClick(find(kUpper), Qt::Key_Backtab, Qt::ShiftModifier);
        for (int i = 0; i < 12; ++i) {
            QVERIFY(QApplication::focusWidget() != m_dialog->tabBar());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    // Page keys wrap and focus the page's first control, even from an output box.
    void pageKeysSwitchPagesAndFocusTheirFirstControl() {
        activate();
        find(kStringOutput)->setFocus();
        QStringList keys =
            u"Ctrl+Tab Ctrl+PgDown Ctrl+Tab Ctrl+PgUp Ctrl+Shift+Backtab"_s.split(' ');
        for (const int first : std::initializer_list<int>{kIntegerOn, kRunExternal, kPattern,
                                                          kRunExternal, kIntegerOn}) {
            QTest::keySequence(QApplication::focusWidget(), keys.takeFirst());
            QCOMPARE(QApplication::focusWidget(), find(first));
        }
    }

    // Escape in a field and Enter on a check box or the tab bar do nothing.
    // Escape on the tab bar and closing the window end the program, asking
    // first while a timed run goes: No keeps the window and the run.
    void onlyEscapeOnTheTabBarOrClosingEndsTheProgramAskingDuringARun() {
        activate();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(key == Qt::Key_Escape ? find(kStringCount) : find(kUpper), key);
        }
        QString finished;
        startRun("0", "20", "100000", &finished);
        QTabBar* tabs = m_dialog->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(tabs->hasFocus());
        QTest::keyClick(tabs, Qt::Key_Return);
        QTest::keyClick(tabs, Qt::Key_Enter, Qt::KeypadModifier);
        for (const int way : {0, 1, 2}) {  // Escape and No, closing and No, closing and Yes
            QString asked;
            whenShown<QMessageBox>(
                [&](QMessageBox* ask) {
                    asked = ask->windowTitle() + '|' + ask->text();
                    QTest::mouseClick(ask->button(way < 2 ? QMessageBox::No : QMessageBox::Yes),
                                      Qt::LeftButton);
                },
                [](QMessageBox* ask) { return ask->objectName() == u"askQuit"_s; });
            way == 0 ? QTest::keyClick(tabs, Qt::Key_Escape) : void(m_dialog->close());
            QCOMPARE(asked, caption() + u"|定时运行正在进行。停止并退出？"_s);
            QVERIFY(m_dialog->isVisible() == (way < 2) &&
                    m_dialog->timePage()->running() == (way < 2));
        }
        open();  // without a run, Escape ends it at once
        QSignalSpy ended(m_dialog.get(), &QDialog::finished);
        tabs = m_dialog->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTest::keyClick(tabs, Qt::Key_Escape);
        QVERIFY(ended.count() == 1 && !m_dialog->isVisible() && finished.isEmpty());
    }

    // With no stored choice the source is secure: two presses in one (pinned)
    // second differ. Unticked, the golden lines come, and that is remembered.
    // Typed non-digits are dropped, pastes kept; a pasted line break (or any
    // character that would break a line) cuts the paste.
    void theSecureSourceIsTheDefaultAndUntickingItGivesTheGoldenLines() {
        GeneratorApp::settings().remove(u"secureSource"_s);
        open();
        QCOMPARE(fromMenu(u"aboutAction"_s),
                 QStringList({"关于 Ovantis(&A)...", caption(), caption(), "确定"}));
        QVERIFY(m_dialog->isSecure() && !m_dialog->seedField()->isVisible());
        QCOMPARE(clickAndAnswer(kStringGenerate), u"生成成功！"_s);  // no seed to name
        // Said on the status line, so nothing waits for an answer before closing.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(m_dialog->stringPage()->findChild<QLabel*>(u"status"_s)->isVisible());
        const QString secure = box(kStringOutput).section('\n', 0, 0);
        clickAndAnswer(kStringGenerate);
        QVERIFY(box(kStringOutput).section('\n', 0, 0) != secure);
        fromMenu(u"secureAction"_s);  // off: the golden lines, and the second they came from
        QCOMPARE(clickAndAnswer(kStringGenerate), u"生成成功！  种子：1"_s);
        const QString golden =
            QString::fromStdString(
                ovantis::test::coreLines<ovantis::StringGenerator>(ovantis::StringSettings{}, 10))
                .remove('\r');
        QCOMPARE(box(kStringOutput), golden);
        // A seed typed beside the classic source is every run's, as --seed takes it.
        QLineEdit* seed = m_dialog->seedField();
        QVERIFY(seed->isVisible());
        QTest::keyClicks(seed, u"42949672965"_s);
        QCOMPARE(seed->text(), u"4294967295"_s);  // a digit past the largest is refused
        QCOMPARE(clickAndAnswer(kStringGenerate), u"生成成功！  种子：4294967295"_s);
        QVERIFY(box(kStringOutput) != golden);
        seed->clear();
        QCOMPARE(clickAndAnswer(kStringGenerate), u"生成成功！  种子：1"_s);
        QCOMPARE(box(kStringOutput), golden);
        QLineEdit* count = field(kStringCount);
        count->clear();
        QTest::keyClicks(count, u"1a-2 3"_s);
        count->insert(u"-5"_s);
        QLineEdit* head = field(kHead);
        head->setFocus();
        for (const char16_t* brk :
             {u"\n", u"\u2028", u"\u2029", u"\u0085", u"\t", u"\u009b", u"\u0007", u"\u007f"}) {
            head->clear();
            QGuiApplication::clipboard()->setText(u"user"_s + QString::fromUtf16(brk) + u"name_"_s);
            QTest::keySequence(head, QKeySequence::Paste);
            QVERIFY2(head->text() == u"user"_s, qPrintable(head->text().toUtf8().toHex()));
        }
        head->setCursorPosition(2);
        head->insert(u"\r\n-"_s);
        QCOMPARE(head->cursorPosition(), 2);
        m_dialog->tabBar()->setCurrentIndex(2);  // the fields keep their text meanwhile
        m_dialog->tabBar()->setCurrentIndex(0);
        QCOMPARE(count->text() + ' ' + head->text(), u"123-5 user"_s);
        QCOMPARE(box(kStringOutput), golden);
        m_dialog->ShowPage(7);
        QVERIFY(description().isEmpty() && m_dialog->stringPage()->isVisible());
        open();
        QVERIFY(!m_dialog->isSecure());
    }

    // Clicks and toggle() in code move the places alike; a long run can be
    // cancelled.
    void numberPageMovesPlacesAndCancelKeepsTheLinesMade() {
        m_dialog->tabBar()->setCurrentIndex(1);
        for (int i = 0; i < 3; ++i) {
            i < 2 ? click(kDecimalOn) : find<QAbstractButton>(kDecimalOn)->toggle();
            QCOMPARE(field(kPlaces)->isEnabled(), i == 1);
        }
        QString title = u"<none>"_s;
        fill({{kLow, "9"}, {kHigh, "1"}});
        clickAndAnswer(kNumberGenerate,
                       [&] { title = QApplication::activeModalWidget()->windowHandle()->title(); });
        // The window manager would show an empty title as the program's name.
        QVERIFY2(!title.isEmpty() && title.trimmed().isEmpty(), qPrintable(title));

        // Only the top grid point lies above 99.999, so each line costs ~32768 draws.
        click(kDecimalOn);
        click(kIntegerOn);
        fill({{kLow, "99.999"}, {kHigh, "100"}, {kNumberCount, "1000000"}});
        whenShown<QProgressDialog>([&title](QProgressDialog* progress) {
            title = progress->windowTitle();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        click(kNumberGenerate);
        QTRY_VERIFY_WITH_TIMEOUT(find(kNumberGenerate)->isEnabled(), 60000);
        const QStringList lines = box(kNumberOutput).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty() && lines.size() < 1000000);
        QCOMPARE(lines.first(), u"100.00"_s);
        QCOMPARE(title, caption());  // as every dialog but the notices
    }

    // The run goes on inside the String page's notice loop; text typed into the
    // log between events is rewritten, grouping the log into blocks.
    void timePageRunsUnderAnotherNoticeAndNeverEarly() {
        m_dialog->tabBar()->setCurrentIndex(2);
        QCOMPARE(description(), u"不定时日期数值，并可执行命令行外部程序"_s);
        click(kRunExternal);
        QVERIFY(field(kCommand)->isEnabled());
        field(kCommand)->setText(u"notepad"_s);
        find<QAbstractButton>(kRunExternal)->toggle();
        QVERIFY(!field(kCommand)->isEnabled() && field(kCommand)->text() == u"notepad"_s);

        QString finished;
        startRun("0", "10", "300", &finished);
        QPlainTextEdit* log = find<QPlainTextEdit>(kTimeOutput);
        m_dialog->tabBar()->setCurrentIndex(0);
        clickAndAnswer(kStringGenerate, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().count('\n') > 130, 10000);
            log->appendPlainText(u"typed"_s);
            QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 10000);
        });
        QCOMPARE(finished, u"生成成功！"_s);
        const QStringList lines = log->toPlainText().split('\n', Qt::SkipEmptyParts);
        const QRegularExpression time(u"^\\d{4}(-\\d\\d){2}   \\d\\d(:\\d\\d){2}$"_s);
        QVERIFY(lines.size() == 300 && lines.filter(time) == lines);
        m_dialog->tabBar()->setCurrentIndex(2);  // a hidden box lays out when shown
        QCOMPARE(log->verticalScrollBar()->maximum() + log->verticalScrollBar()->pageStep(), 301);

        // Connected after the page's own handler, the clock starts after the run.
        QElapsedTimer clock;
        qint64 shownAt = -1;
        connect(find<QAbstractButton>(kTimeGenerate), &QAbstractButton::clicked, log,
                [&] { clock.start(); });
        connect(log, &QPlainTextEdit::textChanged, log, [&] {
            shownAt = shownAt < 0 && log->toPlainText().contains('\n') ? clock.elapsed() : shownAt;
        });
        finished.clear();
        startRun("1000", "1000", "1", &finished);
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
        QVERIFY2(shownAt >= 1000, qPrintable(QString::number(shownAt)));
    }

    void exportWritesTheBoxAsShownEvenAMillionLinesAndAsksBeforeReplacing() {
        generate("3");
        find<QPlainTextEdit>(kStringOutput)->appendPlainText(u"手\u00A0写"_s);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"plain.txt"_s);
        QVERIFY(exportAs(path, false).isEmpty() && !QFile::exists(path));
        // The first Save As opens in the documents (or home) folder, later ones in
        // the last export's.
        const QString first = QFileInfo(m_saveAs.value(3)).absolutePath();
        QVERIFY2(first == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) ||
                     first == QDir::homePath(),
                 qPrintable(first));
        // LF unless CR LF is chosen; the notice names the file.
        QCOMPARE(exportAs(dir.filePath(u"plain"_s)), u"导出成功！  "_s + path);
        QCOMPARE(m_saveAs.mid(0, 3),
                 QStringList({"文本文件（LF 换行） (*.txt)", "文本文件（CR LF 换行） (*.txt)",
                              "所有文件 (*)"}));
        QVERIFY(m_saveAs.value(3).endsWith(u"/随机字符串.txt"_s));
        QCOMPARE(m_saveAs.value(4), caption());
        QCOMPARE(m_saveAs.value(5), m_saveAs.value(0));
        QCOMPARE(readAll(path),
                 QByteArray::fromStdString(ovantis::test::coreLines<ovantis::StringGenerator>(
                                               ovantis::StringSettings{}, 3))
                         .replace("\r\n", "\n") +
                     "\n手\u00A0写"_ba);

        QString question;
        whenShown<QMessageBox>([&](QMessageBox* ask) {
            question = ask->text();
            QTest::mouseClick(ask->button(QMessageBox::Yes), Qt::LeftButton);
        });
        find<QPlainTextEdit>(kStringOutput)->setPlainText(u"a\nb"_s);
        QCOMPARE(exportAs(path, true, 1), u"导出成功！  "_s + path);
        QCOMPARE(m_saveAs.value(3), dir.filePath(u"随机字符串.txt"_s));
        QVERIFY(question.contains(u"plain.txt"_s) && readAll(path) == "a\r\nb");
        // The system's reason in the window's language, whatever the locale's is.
        const std::string locale = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        for (const auto& [language, notice] :
             {std::pair{Language::Chinese, u"导出失败！\n没有那个文件或目录"_s},
              {Language::English, u"Export failed.\nNo such file or directory"_s}}) {
            const auto speaking = speak(language);
            QCOMPARE(exportAs(dir.filePath(u"missing/out.txt"_s)), notice);
            QVERIFY(find(kStringExport)->isEnabled());
        }
        std::setlocale(LC_ALL, locale.c_str());

        // Results are held in blocks of 64 lines; none of that may show. A million
        // lines export as the core makes them, byte for byte.
        QPlainTextEdit* out = find<QPlainTextEdit>(kStringOutput);
        QScrollBar* bar = out->verticalScrollBar();
        generate("100000");
        QCOMPARE(bar->maximum() + bar->pageStep(), 100001);  // the empty line after the last
        out->resize(out->width() + 1, out->height());        // relays the box out
        QCOMPARE(bar->maximum() + bar->pageStep(), 100001);
        bar->setValue(bar->maximum());
        const QPoint bottom(1, out->viewport()->height() - 2);
        QCOMPARE(out->cursorForPosition(bottom).position(), out->document()->characterCount() - 1);

        // Keys, copy, Enter and screen readers across the block boundary at line 128.
        const QStringList lines = out->toPlainText().split('\n');
        out->setFocus();
        for (int i = 0; i < 130; ++i) {
            QTest::keyClick(out, Qt::Key_Down, i < 126 ? Qt::NoModifier : Qt::ShiftModifier);
        }
        QTest::keySequence(out, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.mid(126, 4).join('\n') + '\n');
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Home, Qt::Key_Right, Qt::Key_Return}) {
            QTest::keyClick(out, key);
        }
        QStringList split = lines;
        split[129].remove(0, 1);
        split.insert(129, lines[129].left(1));
        QCOMPARE(out->toPlainText().split('\n'), split);
        QAccessibleTextInterface* reader =
            QAccessible::queryAccessibleInterface(out)->textInterface();
        QVERIFY(reader->text(0, reader->characterCount()) == split.join('\n'));
        // A triple click selects the line, not its whole block, and the view stays.
        const int shown = bar->value();
        const QPoint at = out->cursorRect().center();
        QTest::mouseDClick(out->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(out->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(out->textCursor().selectedText(), split[130] + QChar::LineSeparator);
        QCOMPARE(bar->value(), shown);

        generate("1000000");
        QCOMPARE(exportAs(dir.filePath(u"all.txt"_s), true, 1),
                 u"导出成功！  "_s + dir.filePath(u"all.txt"_s));
        QVERIFY(readAll(dir.filePath(u"all.txt"_s)) ==
                QByteArray::fromStdString(ovantis::test::coreLines<ovantis::StringGenerator>(
                    ovantis::StringSettings{}, 1000000)));
    }

    // The template's size is the start-up size and the least; what the window
    // gains goes to the output box, the buttons keeping their place at its right,
    // and the size is remembered. The box's font is fixed-pitch, and a long line
    // scrolls sideways.
    void growingTheWindowGrowsTheOutputBoxWhichScrollsSideways() {
        QVERIFY(m_dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(m_dialog->size(), m_dialog->minimumSize());
        const QSize more(150, 50);
        auto* out = find<QPlainTextEdit>(kStringOutput);
        QWidget* button = find(kStringExport);
        const QSize box = out->size();
        const QPoint gap = button->geometry().bottomLeft() - out->geometry().bottomRight();
        m_dialog->resize(m_dialog->size() + more);
        QTRY_COMPARE(out->size(), box + more);
        QCOMPARE(button->geometry().bottomLeft() - out->geometry().bottomRight(), gap);

        // Fixed pitch as measured, whatever fontconfig says of the face.
        const QFontMetricsF metrics(out->font());
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            QCOMPARE(metrics.horizontalAdvance(QChar(c)), metrics.horizontalAdvance(QChar(u'M')));
        }
        QCOMPARE(out->font().pointSizeF(), m_dialog->font().pointSizeF());
        QVERIFY(!out->horizontalScrollBar()->isVisible());
        out->setPlainText(QString(400, 'x') + u"\nend"_s);
        QTRY_VERIFY(out->horizontalScrollBar()->isVisible());
        QCOMPARE(out->verticalScrollBar()->maximum() + out->verticalScrollBar()->pageStep(), 2);

        m_dialog->close();
        open();
        QCOMPARE(m_dialog->size(), m_dialog->minimumSize() + more);
        m_dialog->resize(m_dialog->minimumSize());  // the next tests start as new
        m_dialog->close();
    }

    // Enter in a field presses 生成, and on a focused button that button; Shift+F10
    // and the Menu key open the context menu at the focused control, a field's
    // being its own.
    void enterGeneratesAndMenuKeysOpenTheContextMenu() {
        activate();
        QString notice;
        answerNotice(&notice);
        field(kMinLength)->setFocus();
        QTest::keyClick(field(kMinLength), Qt::Key_Return);
        QTRY_COMPARE(notice, u"生成成功！  种子：1"_s);
        QCOMPARE(box(kStringOutput).count('\n'), 10);
        fill({{kStringCount, "2"}});
        answerNotice();
        find(kStringGenerate)->setFocus();
        QTest::keyClick(find(kStringGenerate), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(box(kStringOutput).count('\n'), 2);
        const QString items = u" over aboutAction secureAction"_s;
        QCOMPARE(menuFrom(find(kUpper), Qt::SHIFT | Qt::Key_F10), u"systemMenu"_s + items);
        QCOMPARE(menuFrom(find(kStringExport), Qt::Key_Menu), u"systemMenu"_s + items);
        QCOMPARE(menuFrom(field(kHead), Qt::Key_Menu), u"qt_edit_menu"_s + items);
        QCOMPARE(menuFrom(find(kStringOutput), Qt::SHIFT | Qt::Key_F10), u"qt_edit_menu"_s + items);

        // Every field of every page, the template's too; a timed run is stopped again.
        fill({{kMinDelay, "0"}, {kMaxDelay, "10"}});
        const std::pair<PageWindow*, int> pages[] = {{m_dialog->stringPage(), kStringGenerate},
                                                     {m_dialog->numberPage(), kNumberGenerate},
                                                     {m_dialog->timePage(), kTimeGenerate},
                                                     {m_dialog->patternPage(), kPatternGenerate}};
        for (int index = 0; index < 4; ++index) {
            const auto [page, generate] = pages[index];
            m_dialog->tabBar()->setCurrentIndex(index);
            for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
                if (!edit->isEnabled() || edit->isReadOnly()) {
                    continue;
                }
                activate();  // a notice closed leaves no window active offscreen
                edit->setFocus();
                QString text;
                answerNotice(&text, {}, page);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QVERIFY2(QTest::qWaitFor([&] { return !text.isEmpty(); }, 10000),
                         qPrintable(edit->objectName() + edit->parentWidget()->objectName()));
            }
        }
    }

    // While a run goes 生成 reads 停止: pressing it, or Escape in the page, ends the
    // run at once with its lines and no notice. Launches that failed are counted
    // in the final notice, in English too.
    void stopEndsATimedRunAndFailedLaunchesAreNamed() {
        QString finished;
        auto* button = find<QAbstractButton>(kTimeGenerate);
        QPlainTextEdit* log = find<QPlainTextEdit>(kTimeOutput);
        for (const bool escape : {false, true}) {
            startRun("0", "20", "100000", &finished);
            QVERIFY(button->isEnabled() && button->text() == u"停止"_s);
            QTRY_VERIFY(log->toPlainText().count('\n') >= 2);
            escape ? QTest::keyClick(field(kCountEvents), Qt::Key_Escape) : click(kTimeGenerate);
            QVERIFY(!m_dialog->timePage()->running() && button->text() == u"生成"_s);
            QVERIFY(log->toPlainText().count('\n') >= 2 && finished.isEmpty());
            qDeleteAll(pendingAnswers().children());  // the notice that never comes
        }

        const auto chinese = speak(Language::English);
        click(kRunExternal);
        field(kCommand)->setText(u"nosuchprog-xyz"_s);
        startRun("0", "0", "1001", &finished);
        QTRY_VERIFY(!finished.isEmpty());
        QCOMPARE(finished.section('\n', 0, 0), u"1,001 of 1,001 programs could not be started:"_s);
        QVERIFY2(finished.section('\n', 1).contains(u"nosuchprog-xyz"_s), qPrintable(finished));
        QCOMPARE(log->toPlainText().count('\n'), 1001);
    }

    // At a fractional scale every edge and far frame line falls on a whole device
    // pixel; sizes never shrink; whole scales change nothing.
    void controlsLandOnWholeDevicePixels() {
        const QRect rect(27, 41, 100, 50);
        QCOMPARE(DialogUnits::onPixels(rect, 1.0), rect);
        QCOMPARE(DialogUnits::onPixels(rect, 2.0), rect);
        QCOMPARE(DialogUnits::onPixels(rect, 1.5), QRect(28, 42, 101, 51));
        QCOMPARE(DialogUnits::onPixels(rect, 1.25), QRect(28, 40, 101, 53));
    }

    // The language follows the system's unless --lang names one.
    void languageFollowsTheSystemUnlessLangNamesOne() {
        // The system's languages, a --lang value, and the choice: en, zh or none.
        for (const QString& row :
             {u"en-US en-Latn-US en||en"_s, u"zh-CN zh-Hans-CN zh||zh"_s, u"zh-TW||zh"_s,
              u"C||zh"_s, u"POSIX||zh"_s, u"de-DE zh-CN||en"_s, u"fr-FR||en"_s, u"zh-CN|EN|en"_s,
              u"en-GB|Zh|zh"_s, u"C|fr|"_s}) {
            const QStringList cell = row.split('|');
            const auto chosen = Translations::choose(cell[0].split(' '), cell[1]);
            const char* name = !chosen ? "" : *chosen == Language::English ? "en" : "zh";
            QVERIFY2(name == cell[2], qPrintable(row));
        }
    }

    // 144 dpi draws the 9 points with 1.5 times the pixels. English reaches
    // pages, notices, dialogs and About, in the system's UI font.
    void everyTextFitsItsControlInBothLanguagesAt96And144Dpi() {
        for (const auto language : {Language::Chinese, Language::English}) {
            const auto restore = speak(language);
            const QFont normal = QApplication::font();
            for (const qreal scale : {1.0, 1.5}) {
                QFont font = normal;
                font.setPointSizeF(normal.pointSizeF() * scale);
                QApplication::setFont(font);
                open();
                const AboutDialog about(m_dialog.get());
                for (const int page : {2, 1, 0}) {  // ending on the String page
                    m_dialog->ShowPage(page);
                    for (QWidget* w :
                         m_dialog->findChildren<QWidget*>() + about.findChildren<QWidget*>()) {
                        QVERIFY2(overflow(w) <= 0,
                                 qPrintable(w->objectName() + u" at %1: "_s.arg(scale) +
                                            w->property("text").toString()));
                    }
                }
            }
            QApplication::setFont(normal);
            open();
            if (language == Language::English) {
                QCOMPARE(QFontInfo(m_dialog->font()).family(),
                         QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
                // Not one Chinese character on any control, page, menu or dialog;
                // the notices and About are compared whole below.
                m_dialog->timePage()->showStop(kTimeGenerate, true);
                QStringList texts = fromMenu({});
                for (const int page : {2, 1, 0}) {
                    m_dialog->ShowPage(page);
                    texts << m_dialog->tabBar()->tabText(page) << description();
                }
                const AboutDialog about(m_dialog.get());
                for (QWidget* w :
                     m_dialog->findChildren<QWidget*>() + about.findChildren<QWidget*>() +
                         QList<QWidget*>{m_dialog.get(), const_cast<AboutDialog*>(&about)}) {
                    for (const char* name :
                         {"text", "windowTitle", "accessibleName", "toolTip", "placeholderText"}) {
                        texts << w->property(name).toString();
                    }
                }
                QVERIFY2(!hasChinese(texts.join(' ')), qPrintable(texts.join('|')));
                m_dialog->timePage()->showStop(kTimeGenerate, false);
                QCOMPARE(description(), u"Random passwords, user names, domain names and more"_s);
                QCOMPARE(field(kMaxLength)->accessibleName(), u"Maximum length"_s);
                exportAs({}, false);
                QVERIFY(m_saveAs.value(3).endsWith(u"/random-strings.txt"_s));
                QCOMPARE(m_saveAs.mid(0, 3),
                         QStringList({"Text files, LF line ends (*.txt)",
                                      "Text files, CR LF line ends (*.txt)", "All files (*)"}));
                QCOMPARE(fromMenu(u"aboutAction"_s),
                         QStringList({"&About Ovantis...", caption(), caption(), "OK"}));
            }
        }
    }

    // Refusals driven through the English window read as the core's English
    // (every notice's English is compared above): fields that are no number,
    // a pasted line separator, a program given an argument.
    void everyRefusalReadsInEnglish() {
        const auto chinese = speak(Language::English);
        struct Row {
            int page;
            std::vector<std::pair<int, const char*>> texts;
            std::vector<int> clicks;
            const char* notice;
        } const rows[] = {
            {0, {{kHead, "a\u2028b"}}, {}, ovantis::notices::kBadCharset},
            {0, {{kStringCount, "1 000"}}, {}, ovantis::notices::kBadCount},
            {1, {{kLow, "0,5"}, {kHigh, "2,5"}}, {}, ovantis::notices::kBadRange},
            {1, {{kHigh, "12abc"}}, {}, ovantis::notices::kBadRange},
            {2,
             {{kCommand, "xmessage hallo"}},
             {kRunExternal},
             ovantis::notices::kCommandWithArguments},
        };
        const int generate[] = {kStringGenerate, kNumberGenerate, kTimeGenerate};
        for (const Row& row : rows) {
            open();
            m_dialog->tabBar()->setCurrentIndex(row.page);
            for (const int id : row.clicks) {
                click(id);
            }
            fill(row.texts);
            const QString notice = clickAndAnswer(generate[row.page]);
            QCOMPARE(notice.section('\n', 0, 0),
                     QString::fromUtf8(ovantis::notices::textOf(row.notice)->english()));
            QVERIFY2(!hasChinese(notice), qPrintable(notice));
        }
    }

    // Every refusal's notice the core returns reads whole in either language,
    // from the core's one list of texts.
    void everyRefusalsNoticeIsWordedInEitherLanguage() {
        for (const ovantis::Refusal& refusal : ovantis::test::everyRefusal()) {
            for (const auto language : {ovantis::Language::Chinese, ovantis::Language::English}) {
                const QString text = NoticeText::shown({refusal.notice}, language);
                QVERIFY2(refusal.notice == nullptr ||
                             (!text.contains('%') &&
                              hasChinese(text) == (language == ovantis::Language::Chinese)),
                         qPrintable(text));
            }
        }
    }

    // A template typed into the Pattern page is counted as it is typed and a
    // refused one names its column, in the window's language; Generate draws
    // lines that match it, or refuses it.
    void patternPageCountsTheTemplateAsTypedAndDrawsLinesThatMatchIt() {
        const auto chinese = speak(Language::English);
        open();
        m_dialog->tabBar()->setCurrentIndex(3);
        QCOMPARE(description(),
                 u"Test data shaped by a template: licence keys, user names, order numbers"_s);
        QLineEdit* typed = find<QComboBox>(kPattern)->lineEdit();
        const QLabel* info = find<QLabel>(kPatternInfo);
        QTRY_COMPARE(info->text(), u"26^4 × 10^4 = 4,569,760,000 strings · 32.1 bits"_s);
        typed->clear();
        QTest::keyClicks(typed, u"ORD-[0-9]{6}"_s);
        QTRY_COMPARE(info->text(), u"10^6 = 1,000,000 strings · 19.9 bits"_s);
        fill({{kPatternCount, "5"}});
        QCOMPARE(clickAndAwait(kPatternGenerate), u"Generated successfully.  Seed: 1"_s);
        const QStringList lines = box(kPatternOutput).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.filter(QRegularExpression(u"^ORD-[0-9]{6}$"_s)).size(), 5);
        QTest::keyClicks(typed, u"+"_s);
        QTRY_VERIFY2(info->text().startsWith(u"column 13: '+'"_s), qPrintable(info->text()));
        const QString refused = clickAndAwait(kPatternGenerate);
        QVERIFY2(refused.startsWith(u"The template is not valid.\ncolumn 13: '+'"_s),
                 qPrintable(refused));
        // A long paste lands whole; one past the longest template says so.
        for (const int length : {40000, 70000}) {
            typed->clear();
            typed->insert(QString(length, u'a'));
            QCOMPARE(typed->text().size(), length);
        }
        QTRY_COMPARE(info->text(), u"column 65537: the template is longer than 65536 bytes"_s);
    }

    // Counting a slow template, and checking it at Generate, happen beside the
    // window: its event loop answers throughout. (The run is then refused as
    // too large for the box, so nothing is drawn.)
    void aSlowTemplateNeverHoldsTheWindow() {
        m_dialog->tabBar()->setCurrentIndex(3);
        QLineEdit* typed = find<QComboBox>(kPattern)->lineEdit();
        const QLabel* info = find<QLabel>(kPatternInfo);
        qint64 widest = 0;
        QElapsedTimer sinceLast;
        QTimer beat;
        beat.setInterval(5);
        connect(&beat, &QTimer::timeout, [&] { widest = std::max(widest, sinceLast.restart()); });
        QTRY_VERIFY(!info->text().isEmpty());
        const QString before = info->text();
        sinceLast.start();
        beat.start();
        typed->setText(u".{0,30000}"_s);
        QTRY_VERIFY_WITH_TIMEOUT(info->text() != before, 60000);
        fill({{kPatternCount, "5000"}});
        const QString refused = clickAndAwait(kPatternGenerate);
        QVERIFY2(refused.contains(u"64"_s), qPrintable(refused));
        beat.stop();
        QVERIFY2(widest < 100, qPrintable(QString::number(widest)));
        QVERIFY(find(kPatternGenerate)->isEnabled());
    }

    // A count too long for its two lines gives up digits from its middle, never
    // its ends: the bits stay in sight, and the whole count is its tooltip.
    void aLongCountKeepsItsBitsInSight() {
        const QString whole =
            u"115,792,089,237,316,195,423,570,985,008,687,907,853,269,984,"
            "665,640,564,039,457,584,007,913,129,639,936"_s;
        for (const Language language : {Language::Chinese, Language::English}) {
            const auto shownIn = speak(language);
            open();
            m_dialog->tabBar()->setCurrentIndex(3);
            const QLabel* info = find<QLabel>(kPatternInfo);
            find<QComboBox>(kPattern)->lineEdit()->setText(u"[0-9a-f]{64}"_s);
            QTRY_VERIFY(info->toolTip().contains(whole));
            QVERIFY2(info->text().endsWith(language == Language::Chinese ? u"256.0 位"_s
                                                                         : u"256.0 bits"_s),
                     qPrintable(info->text()));
            const QRect room = info->contentsRect();
            QVERIFY(room.contains(
                info->fontMetrics().boundingRect(room, Qt::TextWordWrap, info->text())));
        }
    }

    // What the fields held, and which boxes were ticked, come back at the next
    // start, the fields a box greys greyed again.
    void fieldsAreRememberedBetweenStarts() {
        fill({{kHead, "pre-"}, {kCommand, "xmessage hallo"}});
        click(kUpper);
        click(kDecimalOn);
        find<QComboBox>(kPattern)->setEditText(u"[ab]{3}"_s);
        m_dialog->close();
        open();
        QCOMPARE(field(kHead)->text(), u"pre-"_s);
        QVERIFY(!find<QAbstractButton>(kUpper)->isChecked());
        QVERIFY(!find<QAbstractButton>(kDecimalOn)->isChecked() && !field(kPlaces)->isEnabled());
        QCOMPARE(field(kCommand)->text(), u"xmessage hallo"_s);
        QVERIFY(!field(kCommand)->isEnabled());
        QCOMPARE(find<QComboBox>(kPattern)->currentText(), u"[ab]{3}"_s);
        QTRY_COMPARE(find<QLabel>(kPatternInfo)->text(), u"2^3 = 8 种字符串 · 3.0 位"_s);
    }

    // Of two runs of one job beside the window, only the newer is answered:
    // the older is told to stop.
    void aNewerRunAsideStopsTheOlder() {
        PageWindow* page = m_dialog->patternPage();
        std::atomic<bool> release{false};
        std::atomic<bool> toldToStop{false};
        QStringList answered;
        page->runAside(
            0,
            [&](const ovantis::StopCheck& stop) {
                while (!release) {
                    QThread::msleep(1);
                }
                toldToStop = stop();
            },
            [&] { answered << u"older"_s; });
        page->runAside(
            0, [](const ovantis::StopCheck&) {}, [&] { answered << u"newer"_s; });
        release = true;
        QTRY_COMPARE(answered, QStringList{u"newer"_s});
        QTest::qWait(50);
        QCOMPARE(answered, QStringList{u"newer"_s});
        QVERIFY(toldToStop);
    }

    // On a screen smaller than the template (a scale factor of 2 on 1600x1000),
    // the output box gives up height: the window and its buttons stay on it.
    void theWindowAndItsButtonsFitTheScreen() {
        const QRect room = m_dialog->screen()->availableGeometry();
        for (const bool maximised : {false, true}) {
            maximised ? m_dialog->showMaximized() : void();
            QTRY_VERIFY(room.contains(m_dialog->frameGeometry()));
            for (QPushButton* b : m_dialog->findChildren<QPushButton*>()) {  // hidden pages too
                QVERIFY(room.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())));
            }
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Remembered choices go to a throwaway folder, never the user's own.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    GeneratorApp generator(app, ovantis::Language::Chinese);
    WindowTest test(generator);
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
