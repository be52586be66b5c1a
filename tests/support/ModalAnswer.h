#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

class QFileDialog;

// Parent of every queued answer; deleting its children drops answers a
// failed test left behind.
QObject& pendingAnswers();

// Queues an answer for the next visible top-level widget of type T that
// matches, before the code under test opens it and enters its modal loop.
template <class T>
void whenShown(std::function<void(T*)> answer, std::function<bool(T*)> matches = {}) {
    auto* poll = new QTimer(&pendingAnswers());
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, [poll, answer, matches] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* target = qobject_cast<T*>(widget);
            if (target != nullptr && target->isVisible() && (!matches || matches(target))) {
                poll->stop();
                poll->deleteLater();
                answer(target);
                return;
            }
        }
    });
    poll->start();
}

// Answers the next notice (of the given page, if one is named) with its OK
// button, keeping its text, or takes the next word on a status line as it;
// whileOpen runs before the answer.
void answerNotice(QString* text = nullptr, std::function<void()> whileOpen = {},
                  QWidget* owner = nullptr);

// Types the path into a Save As dialog and presses its Save button.
void saveAs(QFileDialog* dialog, const QString& path);

// The control of a page or window by its identifier, as outside drivers find it.
template <class T = QWidget>
T* controlOf(const QWidget* window, int id) {
    return window->findChild<T*>(QStringLiteral("c%1").arg(id));
}
