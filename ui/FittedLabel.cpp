#include "FittedLabel.h"

#include <QFontMetrics>
#include <algorithm>

namespace {
// A break opportunity that draws nothing.
constexpr QChar kZeroWidthSpace(0x200B);
constexpr QChar kEllipsis(0x2026);
}  // namespace

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FittedLabel::setWhole(const QString& text) {
    m_whole = text;
    refit();
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refit();
}

bool FittedLabel::fits(const QString& text) const {
    const QRect room = contentsRect();
    const QRect needs = fontMetrics().boundingRect(room, Qt::TextWordWrap, text);
    return needs.height() <= room.height() && needs.width() <= room.width();
}

void FittedLabel::refit() {
    setToolTip(QString());
    setAccessibleDescription(QString());
    if (fits(m_whole)) {
        setText(m_whole);
        return;
    }
    setToolTip(m_whole);
    setAccessibleDescription(m_whole);
    const auto breakable = [](QString text) {
        return text.replace(QLatin1Char(','), QString(QLatin1Char(',')) + kZeroWidthSpace);
    };
    const QStringList words = m_whole.split(QLatin1Char(' '));
    const auto longest =
        std::max_element(words.begin(), words.end(),
                         [](const auto& a, const auto& b) { return a.size() < b.size(); });
    const QString& word = *longest;
    const qsizetype at = m_whole.indexOf(word);
    for (qsizetype keep = word.size(); keep >= 2; keep -= std::max<qsizetype>(1, keep / 16)) {
        const QString shortened =
            keep == word.size() ? word
                                : word.left(keep / 2) + kEllipsis + word.right(keep - keep / 2);
        const QString candidate = breakable(QString(m_whole).replace(at, word.size(), shortened));
        if (fits(candidate)) {
            setText(candidate);
            return;
        }
    }
    setText(breakable(m_whole));
}
