// Renders each page with a Generate done, the About box and a notice to PNG
// files by grabbing the real widgets.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "AboutDialog.h"
#include "GeneratorApp.h"
#include "MainDialog.h"
#include "NumberPage.h"
#include "StringPage.h"
#include "TimePage.h"

namespace {

// Presses OK on the next notice once it is open.
void answerNotice(QString* text = nullptr) {
    auto* poll = new QTimer;
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, [poll, text] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                poll->deleteLater();
                poll->stop();
                if (text != nullptr) {
                    *text = box->text();
                }
                box->button(QMessageBox::Ok)->click();
                return;
            }
        }
    });
    poll->start();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    GeneratorApp generator(app);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots");
    QDir().mkpath(out);

    MainDialog dialog(generator.random());
    dialog.show();
    auto click = [](PageWindow* page, int id) {
        answerNotice();
        QTest::mouseClick(qobject_cast<QPushButton*>(page->control(id)), Qt::LeftButton);
    };
    click(dialog.stringPage(), 1011);
    dialog.grab().save(out + QStringLiteral("/string-page.png"));

    dialog.tabBar()->setCurrentIndex(1);
    click(dialog.numberPage(), 1024);
    dialog.grab().save(out + QStringLiteral("/number-page.png"));

    dialog.tabBar()->setCurrentIndex(2);
    qobject_cast<QLineEdit*>(dialog.timePage()->control(1007))->setText(QStringLiteral("0"));
    qobject_cast<QLineEdit*>(dialog.timePage()->control(1009))->setText(QStringLiteral("50"));
    QString finished;
    answerNotice(&finished);
    QTest::mouseClick(qobject_cast<QPushButton*>(dialog.timePage()->control(1028)), Qt::LeftButton);
    for (int waited = 0; finished.isEmpty() && waited < 10000; waited += 10) {
        QTest::qWait(10);
    }
    dialog.grab().save(out + QStringLiteral("/time-page.png"));

    AboutDialog about(&dialog);
    about.show();
    about.grab().save(out + QStringLiteral("/about.png"));
    about.close();

    QMessageBox notice(QMessageBox::NoIcon, QString(), QStringLiteral("生成成功！"),
                       QMessageBox::Ok, &dialog);
    notice.show();
    QApplication::processEvents();
    notice.grab().save(out + QStringLiteral("/notice.png"));
    return 0;
}
