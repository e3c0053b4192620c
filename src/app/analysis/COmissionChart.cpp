#include "app/analysis/COmissionChart.h"

#include "framework/Utf8Text.h"

#include <QPainter>

#include <limits>

#include <algorithm>

namespace {

const int kLabelHeight = 14;
const int kLegendHeight = 14;
const QColor kCurrent(0x2E, 0x6D, 0xB4);
const QColor kOverdue(0xC0, 0x39, 0x2B);
const QColor kExpected(0xB0, 0xB0, 0xB0);

} // namespace

COmissionChart::COmissionChart(QWidget* parent)
    : QWidget(parent), m_empty(QStringLiteral("点一个分析按钮，这里显示各项当前遗漏与理论遗漏")) {}

void COmissionChart::SetRows(const std::vector<tarvex::OmissionRow>& rows, const QString& empty) {
    m_empty = empty;
    m_bars.clear();
    for (const tarvex::OmissionRow& row : rows)
        m_bars.push_back({FromUtf8(row.item), row.current, row.expected, row.Overdue()});
    update();
}

// The scale follows the current omissions, which the player compares: an expected omission
// far beyond them (999 for 和值 0) would flatten every other bar, so such a bar is cut at the
// top and marked instead. Without any current omission the expected ones set the scale.
double COmissionChart::Scale() const {
    double current = 0;
    for (const Bar& bar : m_bars)
        current = std::max(current, double(bar.current));
    const double limit = current > 0 ? 3 * current : std::numeric_limits<double>::infinity();
    double top = std::max(1.0, current);
    for (const Bar& bar : m_bars) {
        if (bar.expected && *bar.expected <= limit)
            top = std::max(top, *bar.expected);
    }
    return top;
}

void COmissionChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_bars.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_empty);
        return;
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(
        QRect(4, 0, width() - 8, kLegendHeight), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("蓝/红：当前遗漏（红为超出）  灰：理论遗漏（有缺口的超出图顶）  图顶 %1")
            .arg(QString::number(Scale(), 'g', 4)));
    const QRect area(2, kLegendHeight + 2, width() - 4,
                     height() - kLegendHeight - kLabelHeight - 4);
    PaintBars(painter, area);
    PaintLabels(painter, QRect(area.left(), area.bottom() + 1, area.width(), kLabelHeight));
}

// Each item gets a slot with the current bar on the left and the expected one beside it.
void COmissionChart::PaintBars(QPainter& painter, const QRect& area) const {
    const double slot = double(area.width()) / m_bars.size();
    const double scale = Scale();
    const int barWidth = std::max(1, int(slot * 0.4));
    for (int i = 0; i < m_bars.size(); ++i) {
        const Bar& bar = m_bars[i];
        const int x = area.left() + int(i * slot + slot * 0.1);
        const int current = int(bar.current / scale * area.height() + 0.5);
        painter.fillRect(QRect(x, area.bottom() - current + 1, barWidth, current),
                         bar.overdue ? kOverdue : kCurrent);
        if (bar.expected) {
            const bool cut = *bar.expected > scale;
            const int expected =
                cut ? area.height() : int(*bar.expected / scale * area.height() + 0.5);
            painter.fillRect(QRect(x + barWidth, area.bottom() - expected + 1, barWidth, expected),
                             kExpected);
            if (cut) // a notch of the background says the bar goes on
                painter.fillRect(QRect(x + barWidth, area.top() + 3, barWidth, 2),
                                 palette().base());
        }
    }
}

// As many labels as fit side by side: every item when there is room, else every k-th.
void COmissionChart::PaintLabels(QPainter& painter, const QRect& area) const {
    const double slot = double(area.width()) / m_bars.size();
    int widest = 1;
    for (const Bar& bar : m_bars)
        widest = std::max(widest, fontMetrics().horizontalAdvance(bar.label) + 2);
    const int step = std::max(1, int(widest / slot) + 1);
    painter.setPen(palette().color(QPalette::Text));
    for (int i = 0; i < m_bars.size(); i += step) {
        const int centre = area.left() + int(i * slot + slot / 2);
        painter.drawText(QRect(centre - widest / 2, area.top(), widest, area.height()),
                         Qt::AlignCenter, m_bars[i].label);
    }
}
