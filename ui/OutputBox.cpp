#include "OutputBox.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr qsizetype kGroupChars = 16 * 1024;

QString withLineBreaks(QString text) {
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = QLatin1Char('\n');
        }
    }
    return text;
}

// Qt's own interface would hand the line separators of a grouped block to
// screen readers as they are.
class OutputBoxAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
  public:
    explicit OutputBoxAccessible(OutputBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiLine = true;
        state.selectableText = true;
        state.editable = !box()->isReadOnly();
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->lines() : QAccessibleWidget::text(kind);
    }

    void selection(int index, int* start, int* end) const override {
        const QTextCursor cursor = box()->textCursor();
        const bool has = index == 0 && cursor.hasSelection();
        *start = has ? cursor.selectionStart() : 0;
        *end = has ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override {
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int, int start, int end) override { box()->setTextCursor(span(start, end)); }
    int cursorPosition() const override { return box()->textCursor().position(); }
    void setCursorPosition(int position) override {
        box()->setTextCursor(span(position, position));
    }
    QString text(int start, int end) const override {
        return withLineBreaks(span(start, end).selectedText());
    }
    int characterCount() const override { return box()->document()->characterCount() - 1; }
    QRect characterRect(int offset) const override {
        QRect rect = box()->cursorRect(span(offset, offset));
        const QString c = text(offset, offset + 1);
        rect.setWidth(c.isEmpty() || c == QLatin1String("\n")
                          ? 1
                          : box()->fontMetrics().horizontalAdvance(c));
        return rect.translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int end) override {
        box()->setTextCursor(span(end, end));
        box()->setTextCursor(span(start, start));
        box()->ensureCursorVisible();
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    void deleteText(int start, int end) override { span(start, end).removeSelectedText(); }
    void insertText(int offset, const QString& text) override {
        span(offset, offset).insertText(text);
    }
    void replaceText(int start, int end, const QString& text) override {
        span(start, end).insertText(text);
    }

  private:
    OutputBox* box() const { return static_cast<OutputBox*>(widget()); }
    QTextCursor span(int start, int end) const {
        const int last = characterCount();
        QTextCursor cursor(box()->document());
        cursor.setPosition(std::clamp(start, 0, last));
        cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
        return cursor;
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String("OutputBox")) {
        return new OutputBoxAccessible(static_cast<OutputBox*>(object));
    }
    return nullptr;
}

}  // namespace

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
    // Qt's relayout (a new width or font) counts every block as one line again.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this, [this] {
        if (m_grouped && document()->lineCount() == document()->blockCount()) {
            countLines(false);
        }
    });
}

void OutputBox::fill(std::string_view utf8) {
    m_blockLines = {1};
    m_groupChars = 0;
    m_irregular = false;
    setPlainText(group(utf8));
    countLines(!m_irregular);
}

void OutputBox::append(std::string_view utf8) {
    const int first = document()->blockCount() - 1;
    const bool empty = document()->isEmpty();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(group(utf8));
    countLines(!m_irregular, m_irregular ? 0 : first);
    // The box's own cursor stood where the text went in and moved along with it;
    // a box that was empty shows its first line, as a filled one does.
    if (empty) {
        moveCursor(QTextCursor::Start);
    }
}

QString OutputBox::group(std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QChar* out = text.data();
    const QChar* const end = out + text.size();
    for (const QChar* in = out; in != end; ++in) {
        const char16_t c = in->unicode();
        if (c == u'\r') {
            continue;
        }
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            m_irregular = true;
        }
        ++m_groupChars;
        if (c == u'\n') {
            if (m_blockLines.back() < kGroupLines && m_groupChars < kGroupChars) {
                ++m_blockLines.back();
                *out++ = QChar::LineSeparator;
                continue;
            }
            m_blockLines.push_back(1);
            m_groupChars = 0;
        }
        *out++ = *in;
    }
    text.truncate(out - text.constData());
    return text;
}

QString OutputBox::lines() const {
    // toPlainText() would also turn no-break spaces into spaces.
    return withLineBreaks(document()->toRawText());
}

QMimeData* OutputBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(withLineBreaks(textCursor().selectedText()));
    return data;
}

void OutputBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    m_sinceDoubleClick.start();
}

// Qt's triple click selects the whole block, which here may hold a group of
// lines, and scrolls to its end; select the line clicked instead, with its
// line break as Qt takes one, and keep the view where it was.
void OutputBox::mousePressEvent(QMouseEvent* event) {
    const bool triple = m_sinceDoubleClick.isValid() &&
                        m_sinceDoubleClick.elapsed() < QApplication::doubleClickInterval();
    m_sinceDoubleClick.invalidate();
    QTextCursor cursor = cursorForPosition(event->position().toPoint());
    const int scrolled = verticalScrollBar()->value();
    QPlainTextEdit::mousePressEvent(event);
    if (!triple || event->button() != Qt::LeftButton || !textCursor().hasSelection()) {
        return;
    }
    const QString text = cursor.block().text();
    const int block = cursor.block().position();
    const int at = cursor.positionInBlock();
    const int start =
        at == 0 ? 0 : static_cast<int>(text.lastIndexOf(QChar::LineSeparator, at - 1)) + 1;
    const qsizetype next = text.indexOf(QChar::LineSeparator, at);
    const int end = static_cast<int>(next < 0 ? text.size() : next) + 1;
    cursor.setPosition(block + start);
    cursor.setPosition(std::min(block + end, document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(scrolled);
}

// Unwrapped, a block shows one line more than it has separators; the scroll
// bar is right at once instead of after every block has been laid out.
void OutputBox::countLines(bool known, int first) {
    known = known && static_cast<int>(m_blockLines.size()) == document()->blockCount();
    bool grouped = first > 0 && m_grouped;
    int number = first;
    for (QTextBlock block = document()->findBlockByNumber(first); block.isValid();
         block = block.next()) {
        const int lines = known ? m_blockLines[static_cast<std::size_t>(number++)]
                                : 1 + static_cast<int>(block.text().count(QChar::LineSeparator));
        grouped = grouped || lines > 1;
        if (block.lineCount() != lines) {
            block.setLineCount(lines);
        }
    }
    m_grouped = grouped;
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}
