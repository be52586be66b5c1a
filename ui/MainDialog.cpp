#include "MainDialog.h"

#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QValidator>
#include <memory>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX  // std::max below
#endif
#include <windows.h>
#endif

#include "AboutDialog.h"
#include "ControlIds.h"
#include "DialogUnits.h"
#include "GeneratorApp.h"
#include "NumberPage.h"
#include "PatternPage.h"
#include "RowsPage.h"
#include "SettingFields.h"
#include "StringPage.h"
#include "TimePage.h"

namespace {
struct PageText {
    const char* tab;
    const char* description;
};
const QString kSecureKey = QStringLiteral("secureSource");
const QString kSizeKey = QStringLiteral("windowSize");
const QString kMaximizedKey = QStringLiteral("windowMaximized");

const PageText kPages[] = {
    {QT_TRANSLATE_NOOP("MainDialog", "字符串"),
     QT_TRANSLATE_NOOP("MainDialog", "随机密码、随机用户名、随机域名等")},
    {QT_TRANSLATE_NOOP("MainDialog", "数字"),
     QT_TRANSLATE_NOOP("MainDialog", "指定数值范围内的整型、浮点数等")},
    {QT_TRANSLATE_NOOP("MainDialog", "时间"),
     QT_TRANSLATE_NOOP("MainDialog", "不定时日期数值，并可执行命令行外部程序")},
    {QT_TRANSLATE_NOOP("MainDialog", "模式"),
     QT_TRANSLATE_NOOP("MainDialog", "按模板生成测试数据：许可证号、用户名、订单号等")},
    {QT_TRANSLATE_NOOP("MainDialog", "表格"),
     QT_TRANSLATE_NOOP("MainDialog", "多列测试数据表格：CSV、TSV、JSON Lines、SQL")},
};
const char kAboutText[] = QT_TRANSLATE_NOOP("MainDialog", "关于 Ovantis(&A)...");
const char kSecureText[] = QT_TRANSLATE_NOOP("MainDialog", "使用安全随机源");
// The template's size in dialog units, and the height its output boxes may
// give up on a small screen, keeping a few lines.
constexpr int kWidth = 353;
constexpr int kHeight = 294;
constexpr int kShrinkable = 100;
#ifdef Q_OS_WIN
// A system-menu command: below 0xF000, low four bits clear.
constexpr UINT kAboutCommand = 0x0010;
#endif
// Takes what `--seed` takes, so a seed typed here makes the command line's lines.
class SeedValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        return text.isEmpty() || ovantis::readSeed(text.toStdString()) ? Acceptable : Invalid;
    }
};

}  // namespace

MainDialog::MainDialog(ovantis::RandomSource& random, QWidget* parent)
    : QDialog(parent), m_random(random) {
    // Secure unless the user chose the classic source: lines seeded from the
    // current second can be predicted.
    m_random.setKind(GeneratorApp::settings().value(kSecureKey, true).toBool()
                         ? ovantis::RandomSource::Kind::Secure
                         : ovantis::RandomSource::Kind::Classic);
    setObjectName(QStringLiteral("mainDialog"));
    setWindowTitle(GeneratorApp::caption());
    setWindowIcon(GeneratorApp::icon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    const DialogUnits units(font());

    auto* label = new QLabel(tr("应用场合："), this);
    label->setGeometry(units.rect(7, 7, 41, 8));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("c%1").arg(ovantis::ids::kDescription));
    m_description->setGeometry(units.rect(24, 21, 321, 9));
    m_seedLabel = new QLabel(tr("种子："), this);
    m_seedLabel->setGeometry(units.rect(246, 7, 28, 8));
    m_seed = new QLineEdit(this);
    m_seed->setObjectName(QStringLiteral("seed"));
    m_seed->setGeometry(units.rect(276, 5, 70, 12));
    m_seed->setValidator(new SeedValidator(m_seed));
    m_seed->setPlaceholderText(tr("当前秒"));
    m_seed->setAccessibleName(tr("种子"));
    m_seedLabel->setBuddy(m_seed);
    connect(m_seed, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_random.pinSeed(ovantis::readSeed(text.toStdString()));
    });
    m_seedLabel->setVisible(!isSecure());
    m_seed->setVisible(!isSecure());

    // The tab control: a tab bar over a framed pane, the pages its children.
    m_tabControl = new QWidget(this);
    m_tabControl->setObjectName(QStringLiteral("c%1").arg(ovantis::ids::kTabs));
    m_tabBar = new QTabBar(m_tabControl);
    m_tabBar->setObjectName(QStringLiteral("tabBar"));
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    // Reached by a click only: Tab never lands on it, so Enter and Escape
    // typed after a Tab stay with the page.
    m_tabBar->setFocusPolicy(Qt::ClickFocus);
    for (const PageText& page : kPages) {
        m_tabBar->addTab(tr(page.tab));
    }
    m_pane = new QFrame(m_tabControl);
    m_pane->setFrameShape(QFrame::StyledPanel);
    m_stringPage = new StringPage(random, m_tabControl);
    m_numberPage = new NumberPage(random, m_tabControl);
    m_timePage = new TimePage(random, m_tabControl);
    m_patternPage = new PatternPage(random, m_tabControl);
    m_rowsPage = new RowsPage(random, m_tabControl);
    // In the order of their tabs.
    m_pages = {m_stringPage, m_numberPage, m_timePage, m_patternPage, m_rowsPage};
    Q_ASSERT(m_pages.size() == std::size(kPages));
    for (QWidget* edit : findChildren<QLineEdit*>()) {
        edit->installEventFilter(this);
    }
    for (QPlainTextEdit* box : findChildren<QPlainTextEdit*>()) {
        box->installEventFilter(this);
        box->viewport()->installEventFilter(this);
    }
    // The frame is not known before the window shows: a title bar's worth.
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    m_frameGuess = QSize(8, title + 8);
    const bool fits = fitScreen(m_frameGuess);
    const QSettings settings = GeneratorApp::settings();
    resize(settings.value(kSizeKey)
               .toSize()
               .expandedTo(minimumSize())
               .boundedTo(screen()->availableSize().expandedTo(minimumSize())));
    layOut();
    if (!fits || settings.value(kMaximizedKey, false).toBool()) {
        setWindowState(Qt::WindowMaximized);
    }
    for (PageWindow* page : m_pages) {
        page->recall();
    }
    connect(m_tabBar, &QTabBar::currentChanged, this, &MainDialog::ShowPage);
    ShowPage(0);

    const std::pair<QKeyCombination, int> steps[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { stepPage(step); });
    }
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &MainDialog::contextMenuAtFocus);
    }

#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, reinterpret_cast<LPCWSTR>(tr(kAboutText).utf16()));
#endif
}

bool MainDialog::fitScreen(QSize frame) {
    const DialogUnits units(font());
    const QSize room = screen()->availableSize() - frame;
    const QSize full(units.x(kWidth), units.y(kHeight));
    setMinimumSize(full.boundedTo(room).expandedTo(QSize(1, 1)));
    return room.width() >= full.width() && room.height() >= full.height() - units.y(kShrinkable);
}

void MainDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame may be known now (a window manager adds it later); keep the
    // whole window on the screen.
    const QSize frame = (frameGeometry().size() - size()).expandedTo(m_frameGuess);
    if (!isMaximized() && !fitScreen(frame)) {
        setWindowState(Qt::WindowMaximized);
    }
    if (isMaximized()) {
        return;
    }
    // Where the window manager has not framed it yet, a title bar's worth
    // above it: a position given is the inside's, so a window placed at the
    // screen's top would have its title bar, and with it close and move, off.
    QPoint inset = pos() - frameGeometry().topLeft();
    if (inset.isNull()) {
        inset = QPoint(m_frameGuess.width() / 2, m_frameGuess.height() - m_frameGuess.width() / 2);
    }
    const QRect room = screen()->availableGeometry();
    resize(size().boundedTo(room.size() - frame));
    const QSize framed = size() + frame;
    const QPoint corner = pos() - inset;
    const QPoint within(std::clamp(corner.x(), room.left(), room.right() + 1 - framed.width()),
                        std::clamp(corner.y(), room.top(), room.bottom() + 1 - framed.height()));
    if (within != corner) {
        move(within + inset);
    }
}

void MainDialog::layOut() {
    const DialogUnits units(font());
    // What the window has beyond the template goes to the pages' output boxes,
    // and on a small screen they give up height first.
    const QSize extra(std::max(0, width() - units.x(kWidth)),
                      std::max(-units.y(kShrinkable), height() - units.y(kHeight)));
    const QRect tabs = units.rect(7, 39, 339, 248);
    m_tabControl->setGeometry(tabs.adjusted(0, 0, extra.width(), extra.height()));
    const int width = m_tabControl->width();
    const int height = m_tabControl->height();
    m_tabBar->setGeometry(0, 0, width, m_tabBar->sizeHint().height());
    // The pane starts below the tab bar, and never less than 20 px down.
    const int top = std::max(20, m_tabBar->height());
    m_pane->setGeometry(0, top - 1, width, height - top + 1);
    for (PageWindow* page : m_pages) {
        page->setGeometry(1, top, width - 4, height - top - 3);
        page->stretch(extra);
    }
    // Every control on whole device pixels, as every parent is.
    for (QWidget* w : findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        if (parent == this || parent == m_tabControl || qobject_cast<PageWindow*>(parent)) {
            w->setGeometry(DialogUnits::onPixels(w->geometry(), devicePixelRatioF()));
        }
    }
}

void MainDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!m_pages.empty()) {
        layOut();
    }
}

void MainDialog::done(int result) {
    for (const PageWindow* page : m_pages) {
        page->remember();
    }
    QSettings settings = GeneratorApp::settings();
    settings.setValue(kSizeKey, isMaximized() ? normalGeometry().size() : size());
    settings.setValue(kMaximizedKey, isMaximized());
    QDialog::done(result);
}

void MainDialog::contextMenuAtFocus() {
    // Sent to the focused control first: a field shows its edit menu with the
    // page's items, the rest pass it on to the window's.
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != this) {
        target = this;
    }
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
}

void MainDialog::stepPage(int step) {
    const int count = m_tabBar->count();
    m_tabBar->setCurrentIndex((m_tabBar->currentIndex() + step + count) % count);
    if (QWidget* first =
            m_pages[static_cast<std::size_t>(m_tabBar->currentIndex())]->firstControl()) {
        first->setFocus(Qt::TabFocusReason);
    }
}

void MainDialog::ShowPage(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_pages.size()) {
        m_description->clear();
        return;
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->setVisible(i == static_cast<std::size_t>(index));
    }
    m_description->setText(tr(kPages[index].description));
}

void MainDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::setSecure(bool on) {
    m_random.setKind(on ? ovantis::RandomSource::Kind::Secure
                        : ovantis::RandomSource::Kind::Classic);
    GeneratorApp::settings().setValue(kSecureKey, on);
    m_seedLabel->setVisible(!on);
    m_seed->setVisible(!on);
}

void MainDialog::reject() {
    if (m_timePage->running()) {
        QMessageBox ask(QMessageBox::Question, GeneratorApp::caption(),
                        tr("定时运行正在进行。停止并退出？"), QMessageBox::Yes | QMessageBox::No,
                        this);
        ask.setObjectName(QStringLiteral("askQuit"));
        ask.setDefaultButton(QMessageBox::No);
        if (ask.exec() != QMessageBox::Yes) {
            return;
        }
        m_timePage->stop();
    }
    QDialog::reject();
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    // A text field's own edit menu, with the page's items below it.
    if (event->type() == QEvent::ContextMenu) {
        // A mouse's menu comes to an output box's viewport, a key's to the box.
        auto* box = qobject_cast<QPlainTextEdit*>(watched);
        box = box != nullptr ? box : qobject_cast<QPlainTextEdit*>(watched->parent());
        auto* field = qobject_cast<QLineEdit*>(watched);
        std::unique_ptr<QMenu> menu(field != nullptr ? field->createStandardContextMenu()
                                    : box != nullptr ? box->createStandardContextMenu()
                                                     : nullptr);
        if (menu != nullptr) {
            // One name for every field's edit menu, as a line edit names its own.
            menu->setObjectName(QStringLiteral("qt_edit_menu"));
            menu->addSeparator();
            addPageItems(*menu);
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("systemMenu"));
    addPageItems(menu);
    menu.exec(event->globalPos());
}

void MainDialog::addPageItems(QMenu& menu) {
    QAction* about = menu.addAction(tr(kAboutText));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &MainDialog::showAbout);
    QAction* secure = menu.addAction(tr(kSecureText));
    secure->setObjectName(QStringLiteral("secureAction"));
    secure->setCheckable(true);
    secure->setChecked(isSecure());
    connect(secure, &QAction::toggled, this, &MainDialog::setSecure);
}

#ifdef Q_OS_WIN
bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Enter never ends the program (QDialog would accept or press a default
    // button); Escape ends it only from the tab bar, as a page keeps it.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        if (key == Qt::Key_Escape && m_tabBar->hasFocus()) {
            reject();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
