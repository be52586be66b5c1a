#include "SingleLineEdit.h"

#include <algorithm>

SingleLineEdit::SingleLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &SingleLineEdit::cutAtLineBreak);
}

void SingleLineEdit::cutAtLineBreak(const QString& text) {
    qsizetype brk = 0;
    while (brk < text.size() && text.at(brk) != QLatin1Char('\n') &&
           text.at(brk) != QLatin1Char('\r')) {
        ++brk;
    }
    if (brk == text.size()) {
        return;
    }
    // The field held no break before, so the break lies in what was just
    // inserted, which ends at the cursor: the text after the cursor stays.
    const qsizetype end = std::max(brk, static_cast<qsizetype>(cursorPosition()));
    setText(text.left(brk) + text.mid(end));
    setCursorPosition(static_cast<int>(brk));
}
