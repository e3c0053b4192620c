#include "framework/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_baseY = metrics.height();
    if (m_baseX <= 0)
        m_baseX = 6;
    if (m_baseY <= 0)
        m_baseY = 12;
}

void DialogUnits::RegisterFontSubstitutes() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Zen Hei Sharp first: its 9 pt metrics are those of 宋体, so the layout keeps its proportions.
    const QStringList substitutes{
        QStringLiteral("WenQuanYi Zen Hei Sharp"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK SC"),        QStringLiteral("Noto Sans SC"),
        QStringLiteral("Source Han Sans SC"),      QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Microsoft YaHei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), substitutes);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), substitutes);
}

QFont DialogUnits::DialogFont() {
    RegisterFontSubstitutes();
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int DialogUnits::MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const long long rounded = (product >= 0) == (denominator > 0)
                                  ? (std::llabs(product) + half) / std::llabs(denominator)
                                  : -((std::llabs(product) + half) / std::llabs(denominator));
    return static_cast<int>(rounded);
}

QRect DialogUnits::Rect(int x, int y, int w, int h) const {
    return {X(x), Y(y), X(w), Y(h)};
}
