#include "app/backtest/CKillRateChart.h"

#include "history/ExactRate.h"

#include <QPainter>

namespace {

const int kRowHeight = 14;
const int kLabelWidth = 84;
const int kNumberWidth = 84; // the least kept for the bar texts

} // namespace

CKillRateChart::CKillRateChart(QWidget* parent) : QWidget(parent) {}

void CKillRateChart::SetRates(const QStringList& labels, const QVector<int>& rejected, int draws) {
    m_labels = draws > 0 ? labels : QStringList();
    m_rejected = draws > 0 ? rejected : QVector<int>();
    m_rejected.resize(m_labels.size());
    m_chance.clear();
    m_draws = draws;
    updateGeometry();
    update();
}

double CKillRateChart::Rate(int index) const {
    if (m_draws <= 0 || index < 0 || index >= m_rejected.size())
        return 0.0;
    return static_cast<double>(m_rejected[index]) / m_draws;
}

void CKillRateChart::SetChance(const QVector<double>& expectedRejected) {
    m_chance = expectedRejected;
    if (!m_chance.isEmpty())
        m_chance.resize(m_labels.size());
    updateGeometry();
    update();
}

int CKillRateChart::ChanceLength(int index, int barSpace) const {
    if (index >= m_chance.size() || m_draws <= 0)
        return 0;
    return static_cast<int>(m_chance[index] / m_draws * barSpace + 0.5);
}

QString CKillRateChart::BarText(int index) const {
    if (index < 0 || index >= m_rejected.size())
        return {};
    QString text =
        QStringLiteral("%1/%2 %3%")
            .arg(m_rejected[index])
            .arg(m_draws)
            .arg(QString::fromStdString(tarvex::ExactRate{m_rejected[index], m_draws}.Percent(0))
                     .chopped(1));
    if (index < m_chance.size() && m_draws > 0)
        text += QStringLiteral(" 机会 %1%").arg(m_chance[index] / m_draws * 100, 0, 'f', 0);
    return text;
}

// Counts of four and five digits make the texts wider, so the space follows them.
int CKillRateChart::TextWidth() const {
    int widest = kNumberWidth;
    for (int i = 0; i < m_labels.size(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(BarText(i)) + 8);
    return widest;
}

QSize CKillRateChart::sizeHint() const {
    return {kLabelWidth + TextWidth() + 200, kRowHeight * static_cast<int>(m_labels.size()) + 4};
}

QSize CKillRateChart::minimumSizeHint() const {
    return {kLabelWidth + TextWidth() + 80, kRowHeight * static_cast<int>(m_labels.size()) + 4};
}

void CKillRateChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_labels.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("回测后这里显示各条件排除中奖号码的比例"));
        return;
    }
    const int textWidth = TextWidth();
    const int barSpace = std::max(10, width() - kLabelWidth - textWidth - 8);
    for (int i = 0; i < m_labels.size(); ++i) {
        const int y = 2 + i * kRowHeight;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(2, y, kLabelWidth - 4, kRowHeight),
                         Qt::AlignVCenter | Qt::AlignRight, m_labels[i]);
        const int length = static_cast<int>(Rate(i) * barSpace + 0.5);
        const QRect bar(kLabelWidth, y + 2, length, kRowHeight - 4);
        painter.fillRect(bar,
                         m_rejected[i] > 0 ? QColor(0xC0, 0x39, 0x2B) : QColor(0x7F, 0x8C, 0x8D));
        if (i < m_chance.size() && m_draws > 0) {
            // Where the bar would end by chance alone.
            const int mark = kLabelWidth + ChanceLength(i, barSpace);
            painter.drawLine(mark, y + 1, mark, y + kRowHeight - 2);
        }
        const int textAt = kLabelWidth + std::max(length, ChanceLength(i, barSpace)) + 4;
        painter.drawText(QRect(textAt, y, textWidth, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         BarText(i));
    }
}
