#include "DigitsOnlyFilter.h"

#include <QKeyEvent>
#include <QKeySequence>

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool shortcut =
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!shortcut && !text.isEmpty() && text.at(0).isPrint() &&
            !(text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
