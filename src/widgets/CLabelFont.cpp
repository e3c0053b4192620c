#include "widgets/CLabelFont.h"

namespace {

// 12-pixel 宋体 in proof quality; the font substitution table maps the face where it is missing.
QFont CaptionFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleHint(QFont::Serif, QFont::PreferQuality);
    return font;
}

} // namespace

CLabelFont::CLabelFont() : CLabelFont(CaptionFont(), Qt::black) {}

CLabelFont::CLabelFont(const QFont& font, const QColor& color) : m_font(font), m_color(color) {}
