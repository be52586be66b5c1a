#include "AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "DialogUnits.h"
#include "GeneratorApp.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    // Titled as the window is, as every dialog of the program.
    setWindowTitle(GeneratorApp::caption());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    const QRect iconRect = units.rect(11, 17, 20, 20);
    icon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);
    icon->setPixmap(GeneratorApp::icon().pixmap(32, 32));

    auto* name = new QLabel(GeneratorApp::caption(), this);
    name->setObjectName(QStringLiteral("aboutName"));
    name->setTextFormat(Qt::PlainText);
    name->setGeometry(units.rect(40, 10, 119, 8));

    // Below the name and the button, as wide as both.
    auto* source =
        new QLabel(tr("默认从操作系统的安全随机源生成。在窗口的右键菜单中取消勾选“使用安全随机源”，"
                      "则改用按当前秒播种的经典随机源（同一秒内相同设置生成相同结果）。"),
                   this);
    source->setObjectName(QStringLiteral("aboutSource"));
    source->setWordWrap(true);
    const QRect sourceRect = units.rect(40, 26, 188, 40);
    source->setGeometry(sourceRect.x(), sourceRect.y(), sourceRect.width(),
                        std::max(sourceRect.height(), source->heightForWidth(sourceRect.width())));
    setFixedSize(units.x(235), std::max(units.y(74), source->geometry().bottom() + units.y(8)));

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setGeometry(units.rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
