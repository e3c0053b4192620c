#pragma once

#include <QColor>
#include <QFont>

// A caption font that keeps its description and the colour its text is drawn in.
class CLabelFont {
public:
    CLabelFont();
    CLabelFont(const QFont& font, const QColor& color);

    const QFont& Font() const { return m_font; }
    const QColor& Color() const { return m_color; }

private:
    QFont m_font;
    QColor m_color;
};
