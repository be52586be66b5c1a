#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <functional>
#include <string_view>
#include <vector>

// A result box. Its text block holds up to kGroupLines lines joined by line
// separators, because a million one-line blocks take seconds and hundreds of
// megabytes to build; the user, the clipboard and screen readers still see
// one line per line.
class OutputBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    static constexpr int kGroupLines = 64;

    explicit OutputBox(QWidget* parent = nullptr);

    // Replaces the text with UTF-8 lines ended by CR LF; progress(done, total)
    // is called between the pieces of a large text.
    void fill(std::string_view utf8, const std::function<void(qsizetype, qsizetype)>& progress);
    // The whole text, every line break as '\n' and every other character as is.
    QString lines() const;

  protected:
    QMimeData* createMimeDataFromSelection() const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // From the lines per block when known, else from the text.
    void countLines(const std::vector<int>* known = nullptr);

    // Some block holds several lines, so a relayout must recount them.
    bool m_grouped = false;
    // Since the last double click, to tell a triple click.
    QElapsedTimer m_sinceDoubleClick;
};
