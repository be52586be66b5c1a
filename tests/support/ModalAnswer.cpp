#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

QObject& pendingAnswers() {
    static QObject parent;
    return parent;
}

void answerNotice(QString* text, std::function<void()> whileOpen, QWidget* owner) {
    whenShown<QMessageBox>(
        [text, whileOpen](QMessageBox* box) {
            if (text != nullptr) {
                *text = box->text();
            }
            if (whileOpen) {
                whileOpen();
            }
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        },
        [owner](QMessageBox* box) {
            return box->objectName() == QStringLiteral("notice") &&
                   (owner == nullptr || box->parentWidget() == owner);
        });
}

void saveAs(QFileDialog* dialog, const QString& path) {
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
}
