#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

#include "FittedLabel.h"

QObject& pendingAnswers() {
    static QObject parent;
    return parent;
}

void answerNotice(QString* text, std::function<void()> whileOpen, QWidget* owner) {
    // A word of work that went well comes on a page's status line instead, and
    // counts as the answer once its count of words moves on.
    auto statusLines = [owner] {
        QList<FittedLabel*> lines;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (FittedLabel* line : top->findChildren<FittedLabel*>(QStringLiteral("status"))) {
                if (owner == nullptr || line->parentWidget() == owner) {
                    lines << line;
                }
            }
        }
        return lines;
    };
    auto said = std::make_shared<std::map<FittedLabel*, int>>();
    for (FittedLabel* line : statusLines()) {
        (*said)[line] = line->property("said").toInt();
    }
    auto* poll = new QTimer(&pendingAnswers());
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto answered = [&](const QString& shown) {
            poll->stop();
            poll->deleteLater();
            if (text != nullptr) {
                *text = shown;
            }
            if (whileOpen) {
                whileOpen();
            }
        };
        for (FittedLabel* line : statusLines()) {
            const auto before = said->find(line);
            if (line->property("said").toInt() != (before == said->end() ? 0 : before->second)) {
                answered(line->whole());
                return;
            }
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible() &&
                box->objectName() == QStringLiteral("notice") &&
                (owner == nullptr || box->parentWidget() == owner)) {
                answered(box->text());
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                return;
            }
        }
    });
    poll->start();
}

void saveAs(QFileDialog* dialog, const QString& path) {
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
}
