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

// Turns the UTF-8 text of a run into the box's text, piece by piece: CR
// dropped, and every '\n' but the last a line separator unless it ends a group.
class Grouper {
  public:
    QString take(std::string_view utf8, bool last) {
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
            ++m_chars;
            if (c == u'\n' && !(last && in + 1 == end)) {
                if (m_lines.back() < OutputBox::kGroupLines && m_chars < kGroupChars) {
                    ++m_lines.back();
                    *out++ = QChar::LineSeparator;
                    continue;
                }
                m_lines.push_back(1);
                m_chars = 0;
            }
            *out++ = *in;
        }
        text.truncate(out - text.constData());
        return text;
    }
    // Lines per block, unless the text held breaks of its own.
    const std::vector<int>* lines() const { return m_irregular ? nullptr : &m_lines; }

  private:
    std::vector<int> m_lines{1};
    qsizetype m_chars = 0;
    bool m_irregular = false;
};

}  // namespace

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
    // Qt's relayout (a new width or font) counts every block as one line again.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this, [this] {
        if (m_grouped && document()->lineCount() == document()->blockCount()) {
            countLines();
        }
    });
}

void OutputBox::fill(std::string_view utf8,
                     const std::function<void(qsizetype, qsizetype)>& progress) {
    m_grouped = false;
    Grouper grouper;
    constexpr std::size_t kPiece = 512 * 1024;
    if (utf8.size() <= kPiece) {
        setPlainText(grouper.take(utf8, true));
    } else {
        // Piece by piece, so the progress of a long run keeps moving.
        clear();
        QTextCursor cursor(document());
        for (std::size_t at = 0; at < utf8.size();) {
            const std::size_t next = utf8.find('\n', at + kPiece);
            const std::size_t end = next == std::string_view::npos ? utf8.size() : next + 1;
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(grouper.take(utf8.substr(at, end - at), end == utf8.size()));
            at = end;
            progress(static_cast<qsizetype>(at), static_cast<qsizetype>(utf8.size()));
        }
        cursor.movePosition(QTextCursor::Start);
        setTextCursor(cursor);
    }
    countLines(grouper.lines());
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
void OutputBox::countLines(const std::vector<int>* known) {
    if (known != nullptr && static_cast<int>(known->size()) != document()->blockCount()) {
        known = nullptr;
    }
    bool grouped = false;
    int number = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const int lines = known != nullptr
                              ? (*known)[number++]
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
