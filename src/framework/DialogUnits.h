#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts dialog units to pixels the way a dialog template is laid out: base units from
// the dialog font, x = dlu * baseX / 4 and y = dlu * baseY / 8, rounded.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // The font every dialog uses: "宋体" 9 pt, with legible substitutes registered.
    static QFont DialogFont();
    static void RegisterFontSubstitutes();
    static int MulDiv(int number, int numerator, int denominator);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    int X(int dlu) const { return MulDiv(dlu, m_baseX, 4); }
    int Y(int dlu) const { return MulDiv(dlu, m_baseY, 8); }
    QRect Rect(int x, int y, int w, int h) const;
    QSize Size(int w, int h) const { return {X(w), Y(h)}; }

private:
    int m_baseX;
    int m_baseY;
};
