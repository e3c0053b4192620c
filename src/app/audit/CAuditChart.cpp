#include "app/audit/CAuditChart.h"

#include "framework/Utf8Text.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kObserved(0x2E, 0x86, 0xC1);
const QColor kExpected(0xC0, 0x39, 0x2B);
const int kMargin = 6;

} // namespace

CAuditChart::CAuditChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("auditChart"));
}

void CAuditChart::SetTest(const tarvex::RandomnessTest* test) {
    m_title = test ? FromUtf8(test->name) : QString();
    m_classes = test ? test->classes : std::vector<tarvex::ObservedClass>();
    update();
}

void CAuditChart::PaintLegend(QPainter& painter, const QRect& area) const {
    const int box = fontMetrics().height() - 4;
    int x = area.right() - 170;
    painter.fillRect(QRect(x, area.top() + 2, box, box), kObserved);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(x + box + 4, area.top() + box + 1, QStringLiteral("实际"));
    x += 60;
    painter.setPen(QPen(kExpected, 2));
    painter.drawLine(x, area.top() + box / 2 + 2, x + box, area.top() + box / 2 + 2);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(x + box + 4, area.top() + box + 1, QStringLiteral("公平开奖的期望"));
}

void CAuditChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_classes.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("选中一项检验，这里对照实际与期望"));
        return;
    }
    const int line = fontMetrics().height();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(kMargin, kMargin, width() - 2 * kMargin, line),
                     Qt::AlignLeft | Qt::AlignVCenter, m_title);
    PaintLegend(painter, QRect(kMargin, kMargin, width() - 2 * kMargin, line));
    const QRect plot(kMargin, kMargin + line + 4, width() - 2 * kMargin,
                     height() - 2 * kMargin - 2 * line - 8);
    if (plot.width() < 10 || plot.height() < 10)
        return;
    double top = 0;
    for (const tarvex::ObservedClass& c : m_classes)
        top = std::max({top, c.observed, c.expected});
    if (top <= 0)
        top = 1;
    const double step = static_cast<double>(plot.width()) / static_cast<double>(m_classes.size());
    const auto heightOf = [&](double value) {
        return static_cast<int>(value / top * plot.height());
    };
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (std::size_t i = 0; i < m_classes.size(); ++i) {
        const int left = plot.left() + static_cast<int>(static_cast<double>(i) * step);
        const int right = plot.left() + static_cast<int>(static_cast<double>(i + 1) * step);
        const int barWidth = std::max(1, right - left - (step >= 4 ? 1 : 0));
        const int h = heightOf(m_classes[i].observed);
        painter.fillRect(QRect(left, plot.bottom() - h, barWidth, h), kObserved);
        const int e = plot.bottom() - heightOf(m_classes[i].expected);
        painter.setPen(QPen(kExpected, 2));
        painter.drawLine(left, e, left + barWidth, e);
    }
    // Labels of the first and last class, and of each between when there is room.
    painter.setPen(palette().color(QPalette::Text));
    const int every = std::max<int>(1, static_cast<int>(60 / std::max(step, 1.0)));
    for (std::size_t i = 0; i < m_classes.size(); i += static_cast<std::size_t>(every)) {
        const int left = plot.left() + static_cast<int>(static_cast<double>(i) * step);
        painter.drawText(QRect(left, plot.bottom() + 2, std::max(60, static_cast<int>(step)), line),
                         Qt::AlignLeft | Qt::AlignTop, FromUtf8(m_classes[i].label));
    }
}
