#include "DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <cmath>

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

QRect DialogUnits::onPixels(const QRect& rect, qreal devicePixelRatio) {
    // The least step of logical pixels that is a whole number of device
    // pixels: 2 at 1.5, 4 at 1.25, 1 at whole ratios.
    int step = 1;
    while (step < 8 &&
           std::abs(step * devicePixelRatio - std::round(step * devicePixelRatio)) > 1e-3) {
        ++step;
    }
    const auto nearest = [step](int value) {
        return static_cast<int>(std::lround(static_cast<double>(value) / step)) * step;
    };
    // Sizes only grow, so a text that fitted still does. A frame's far lines
    // lie one pixel in from the far edges, so those are one past a step.
    const auto grown = [step](int size) { return (size - 1 + step - 1) / step * step + 1; };
    return QRect(nearest(rect.x()), nearest(rect.y()), grown(rect.width()), grown(rect.height()));
}

QFont DialogUnits::dialogFont(bool chinese) {
    // A CJK face draws Latin text poorly (an ellipsis at mid-height).
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (chinese) {
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                          QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("Noto Sans SC")});
    }
    font.setPointSize(9);
    return font;
}
