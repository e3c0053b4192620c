#include "app/CKillRateChart.h"

#include <QPainter>

namespace {

const int kRowHeight = 14;
const int kLabelWidth = 84;
const int kNumberWidth = 84;

} // namespace

CKillRateChart::CKillRateChart(QWidget* parent) : QWidget(parent) {
    setMinimumWidth(kLabelWidth + kNumberWidth + 80);
}

void CKillRateChart::SetRates(const QStringList& labels, const QVector<int>& rejected, int draws) {
    m_labels = draws > 0 ? labels : QStringList();
    m_rejected = draws > 0 ? rejected : QVector<int>();
    m_rejected.resize(m_labels.size());
    m_draws = draws;
    updateGeometry();
    update();
}

double CKillRateChart::Rate(int index) const {
    if (m_draws <= 0 || index < 0 || index >= m_rejected.size())
        return 0.0;
    return static_cast<double>(m_rejected[index]) / m_draws;
}

QSize CKillRateChart::sizeHint() const {
    return {kLabelWidth + kNumberWidth + 200, kRowHeight * static_cast<int>(m_labels.size()) + 4};
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
    const int barSpace = std::max(10, width() - kLabelWidth - kNumberWidth - 8);
    for (int i = 0; i < m_labels.size(); ++i) {
        const int y = 2 + i * kRowHeight;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(2, y, kLabelWidth - 4, kRowHeight),
                         Qt::AlignVCenter | Qt::AlignRight, m_labels[i]);
        const int length = static_cast<int>(Rate(i) * barSpace + 0.5);
        const QRect bar(kLabelWidth, y + 2, length, kRowHeight - 4);
        painter.fillRect(bar,
                         m_rejected[i] > 0 ? QColor(0xC0, 0x39, 0x2B) : QColor(0x7F, 0x8C, 0x8D));
        painter.drawText(QRect(kLabelWidth + length + 4, y, kNumberWidth, kRowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("%1/%2 %3%")
                             .arg(m_rejected[i])
                             .arg(m_draws)
                             .arg(Rate(i) * 100, 0, 'f', 0));
    }
}
