#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
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

    // Replaces the text with UTF-8 lines ended by CR LF.
    void fill(std::string_view utf8);
    // Adds UTF-8 lines ended by CR LF after the text the box was last given.
    void append(std::string_view utf8);
    // The whole text, every line break as '\n' and every other character as is.
    QString lines() const;

  protected:
    QMimeData* createMimeDataFromSelection() const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The text as the box holds it: CR dropped, and each line break a line
    // separator unless it ends a group.
    QString group(std::string_view utf8);
    // Of the blocks from the first on: from the lines per block when known,
    // else from the text.
    void countLines(bool known, int first = 0);

    // Lines per block of the text given, unless it held breaks of its own.
    std::vector<int> m_blockLines{1};
    qsizetype m_groupChars = 0;
    bool m_irregular = false;

    // Some block holds several lines, so a relayout must recount them.
    bool m_grouped = false;
    // Since the last double click, to tell a triple click.
    QElapsedTimer m_sinceDoubleClick;
};
