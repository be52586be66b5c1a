#include "MainDialog.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTabBar>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "DialogUnits.h"
#include "GeneratorApp.h"
#include "NumberPage.h"
#include "StringPage.h"
#include "TimePage.h"

namespace {
struct PageText {
    const char* tab;
    const char* description;
};
const QString kSecureKey = QStringLiteral("secureSource");

QSettings settings() {
    return QSettings(QStringLiteral("Ovantis"), QStringLiteral("Ovantis"));
}

const PageText kPages[] = {
    {"字符串", "随机密码、随机用户名、随机域名等"},
    {"数字", "指定数值范围内的整形、浮点数等"},
    {"时间", "不定时日期数值，并可执行命令行外部程序"},
};
}  // namespace

MainDialog::MainDialog(ovantis::RandomSource& random, QWidget* parent)
    : QDialog(parent), m_random(random) {
    m_random.setKind(settings().value(kSecureKey, false).toBool()
                         ? ovantis::RandomSource::Kind::Secure
                         : ovantis::RandomSource::Kind::Classic);
    setObjectName(QStringLiteral("mainDialog"));
    setWindowTitle(GeneratorApp::caption());
    setWindowIcon(GeneratorApp::icon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const DialogUnits units(font());
    setFixedSize(units.x(353), units.y(294));

    auto* label = new QLabel(QStringLiteral("应用场合："), this);
    label->setGeometry(units.rect(7, 7, 41, 8));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("c%1").arg(ovantis::ids::kDescription));
    m_description->setGeometry(units.rect(24, 21, 321, 9));

    // The tab control: a tab bar over a framed pane, the pages its children.
    auto* tabControl = new QWidget(this);
    tabControl->setObjectName(QStringLiteral("c%1").arg(ovantis::ids::kTabs));
    tabControl->setGeometry(units.rect(7, 39, 339, 248));
    m_tabBar = new QTabBar(tabControl);
    m_tabBar->setObjectName(QStringLiteral("tabBar"));
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    for (const PageText& page : kPages) {
        m_tabBar->addTab(QString::fromUtf8(page.tab));
    }
    m_tabBar->setGeometry(0, 0, tabControl->width(), m_tabBar->sizeHint().height());
    auto* pane = new QFrame(tabControl);
    pane->setFrameShape(QFrame::StyledPanel);
    const int top = std::max(20, m_tabBar->height() - 1);
    pane->setGeometry(0, top - 1, tabControl->width(), tabControl->height() - top + 1);

    m_stringPage = new StringPage(random, tabControl);
    m_numberPage = new NumberPage(random, tabControl);
    m_timePage = new TimePage(random, tabControl);
    const QRect client(1, top, tabControl->width() - 4, tabControl->height() - top - 3);
    for (QWidget* page : {static_cast<QWidget*>(m_stringPage), static_cast<QWidget*>(m_numberPage),
                          static_cast<QWidget*>(m_timePage)}) {
        page->setGeometry(client);
    }
    connect(m_tabBar, &QTabBar::currentChanged, this, &MainDialog::ShowPage);
    ShowPage(0);
}

void MainDialog::ShowPage(int index) {
    if (index < 0 || index > 2) {
        m_description->clear();
        return;
    }
    const QWidget* pages[] = {m_stringPage, m_numberPage, m_timePage};
    for (int i = 0; i < 3; ++i) {
        const_cast<QWidget*>(pages[i])->setVisible(i == index);
    }
    m_description->setText(QString::fromUtf8(kPages[index].description));
}

void MainDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::setSecure(bool on) {
    m_random.setKind(on ? ovantis::RandomSource::Kind::Secure
                        : ovantis::RandomSource::Kind::Classic);
    settings().setValue(kSecureKey, on);
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("systemMenu"));
    QAction* about = menu.addAction(QStringLiteral("关于 Ovantis(&A)..."));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &MainDialog::showAbout);
    QAction* secure = menu.addAction(QStringLiteral("使用安全随机源"));
    secure->setObjectName(QStringLiteral("secureAction"));
    secure->setCheckable(true);
    secure->setChecked(isSecure());
    connect(secure, &QAction::toggled, this, &MainDialog::setSecure);
    menu.exec(event->globalPos());
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape end the program only from the tab bar; a page keeps them.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        if (m_tabBar->hasFocus()) {
            key == Qt::Key_Escape ? reject() : accept();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
