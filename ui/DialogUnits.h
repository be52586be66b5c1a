#pragma once

#include <QFont>
#include <QRect>

// Converts the page templates' dialog units to pixels from a font's metrics:
// a horizontal unit is a quarter of the average width of A-Z a-z, a vertical
// unit an eighth of the character height.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int w, int h) const;

    // rect moved and sized so its edges and frame lines fall on whole device
    // pixels at the given ratio, when its parent's origin does: at 1.5 a
    // line at a half pixel would be clipped away or covered.
    static QRect onPixels(const QRect& rect, qreal devicePixelRatio);

    // The dialog font, 9 points: for Chinese 宋体, or a CJK face where it is
    // missing; for English the system's UI face.
    static QFont dialogFont(bool chinese);

  private:
    int m_baseX;
    int m_baseY;
};
