#pragma once

#include <QLabel>

// A line the page writes, such as a template's count: it wraps at spaces and
// at the commas between digit groups, and where its lines are still too few,
// the middle of its longest word gives way to an ellipsis, so both ends (the
// bits) stay in sight. The whole text is its tooltip, and what screen readers
// read.
class FittedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit FittedLabel(QWidget* parent = nullptr);

    void setWhole(const QString& text);
    const QString& whole() const { return m_whole; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool fits(const QString& text) const;
    void refit();

    QString m_whole;
};
