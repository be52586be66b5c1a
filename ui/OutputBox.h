#pragma once

#include <QPlainTextEdit>
#include <functional>

// A result box. Its text block holds up to kGroupLines lines joined by line
// separators, because a million one-line blocks take seconds and hundreds of
// megabytes to build; the user, the clipboard and screen readers still see
// one line per line.
class OutputBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    static constexpr int kGroupLines = 128;

    explicit OutputBox(QWidget* parent = nullptr);

    // Replaces the text (lines ended by '\n'); progress(done, total) is called
    // between the pieces of a large text.
    void fill(QString text, const std::function<void(qsizetype, qsizetype)>& progress);
    // The whole text, every line break as '\n' and every other character as is.
    QString lines() const;

  protected:
    QMimeData* createMimeDataFromSelection() const override;

  private:
    void countLines();

    // Some block holds several lines, so a relayout must recount them.
    bool m_grouped = false;
};
