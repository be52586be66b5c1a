#include "OutputBox.h"

#include <QAccessibleWidget>
#include <QMimeData>
#include <QTextBlock>

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

// Every '\n' but the last becomes a line separator unless it ends a group.
void group(QString& text) {
    int lines = 0;
    qsizetype groupStart = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('\n')) {
            continue;
        }
        if (++lines < OutputBox::kGroupLines && i - groupStart < kGroupChars) {
            text[i] = QChar::LineSeparator;
        } else {
            lines = 0;
            groupStart = i + 1;
        }
    }
}

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

void OutputBox::fill(QString text, const std::function<void(qsizetype, qsizetype)>& progress) {
    group(text);
    m_grouped = false;
    constexpr qsizetype kPiece = 256 * 1024;
    if (text.size() <= kPiece) {
        setPlainText(text);
    } else {
        // Piece by piece, so the progress of a long run keeps moving.
        clear();
        QTextCursor cursor(document());
        for (qsizetype at = 0; at < text.size(); at += kPiece) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(text.mid(at, kPiece));
            progress(std::min(at + kPiece, text.size()), text.size());
        }
        cursor.movePosition(QTextCursor::Start);
        setTextCursor(cursor);
    }
    countLines();
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

// Unwrapped, a block shows one line more than it has separators; the scroll
// bar is right at once instead of after every block has been laid out.
void OutputBox::countLines() {
    bool grouped = false;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const int lines = 1 + static_cast<int>(block.text().count(QChar::LineSeparator));
        grouped = grouped || lines > 1;
        if (block.lineCount() != lines) {
            block.setLineCount(lines);
        }
    }
    m_grouped = grouped;
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}
