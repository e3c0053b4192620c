#include "framework/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace {

// Monospaced families that draw Chinese at twice the Latin width, most common first on each
// platform: fonts-wqy-zenhei and Noto CJK on Linux, 新宋体 on Windows.
const char* const kFamilies[] = {
    "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC", "Sarasa Mono SC", "NSimSun", "新宋体",
    "Source Han Mono SC"};

} // namespace

bool FixedPitchFont::KeepsColumns(const QFont& font) {
    const QFontMetrics metrics(font);
    const int one = metrics.horizontalAdvance(QLatin1Char('0'));
    if (one <= 0)
        return false;
    for (const QString& latin : {QStringLiteral("i"), QStringLiteral("W"), QStringLiteral(" ")}) {
        if (metrics.horizontalAdvance(latin) != one)
            return false;
    }
    return metrics.horizontalAdvance(QStringLiteral("遗漏")) == 4 * one;
}

QFont FixedPitchFont::Like(const QFont& like) {
    for (const char* family : kFamilies) {
        QFont font(QString::fromUtf8(family));
        font.setPointSizeF(like.pointSizeF());
        if (QFontInfo(font).family() == font.family() && KeepsColumns(font))
            return font;
    }
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(like.pointSizeF());
    return fixed;
}
