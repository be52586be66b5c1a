#include "DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // Rounded average, as the platform computes the dialog base unit.
    m_baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_baseY = metrics.height();
}

int DialogUnits::x(int units) const {
    return (units * m_baseX + 2) / 4;
}

int DialogUnits::y(int units) const {
    return (units * m_baseY + 4) / 8;
}

QRect DialogUnits::rect(int x, int y, int w, int h) const {
    return QRect(this->x(x), this->y(y), this->x(w), this->y(h));
}

QFont DialogUnits::dialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC")});
    font.setPointSize(9);
    return font;
}
