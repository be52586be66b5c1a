#include "SingleLineEdit.h"

#include <algorithm>

#include "CharacterSet.h"

SingleLineEdit::SingleLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &SingleLineEdit::cutAtLineBreak);
}

void SingleLineEdit::cutAtLineBreak(const QString& text) {
    // Every such character is one UTF-16 unit, so units are compared alone.
    const auto brk = static_cast<qsizetype>(
        std::find_if(text.begin(), text.end(),
                     [](QChar c) { return ovantis::CharacterSet::breaksLine(c.unicode()); }) -
        text.begin());
    if (brk == text.size()) {
        return;
    }
    // The field held no break before, so the break lies in what was just
    // inserted, which ends at the cursor: the text after the cursor stays.
    const qsizetype end = std::max(brk, static_cast<qsizetype>(cursorPosition()));
    setText(text.left(brk) + text.mid(end));
    setCursorPosition(static_cast<int>(brk));
}
