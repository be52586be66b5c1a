#pragma once

#include <QLineEdit>

// A one-line field that, like a native single-line edit, keeps only the part
// of pasted or inserted text before its first line break. Every character
// the core counts as breaking a line (controls, TAB, the separators) is a
// break here, so no value it refuses gets in by a paste.
class SingleLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit SingleLineEdit(QWidget* parent = nullptr);

  private:
    void cutAtLineBreak(const QString& text);
};
