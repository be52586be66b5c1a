#pragma once

#include <QObject>

// Lets only digits be typed into a field; pasted text still gets in whole, so
// a pasted minus sign reaches validation, which copes with it.
class DigitsOnlyFilter : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
