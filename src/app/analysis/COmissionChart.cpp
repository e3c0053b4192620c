#include "app/analysis/COmissionChart.h"

#include "framework/Utf8Text.h"
#include "history/AnalysisText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <limits>

namespace {

const int kLabelGap = 4; // blank pixels kept between two neighbouring labels
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

QString COmissionChart::Legend() const {
    return QStringLiteral("蓝/红：当前遗漏（红为超出）  灰：理论遗漏（有缺口的超出图顶）  图顶 %1")
        .arg(QString::number(Scale(), 'g', 4));
}

// The legend wraps in a narrow chart rather than being cut.
int COmissionChart::LegendHeight() const {
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, std::max(1, width() - 8), 10000),
                                                    Qt::TextWordWrap, Legend());
    return bounds.height() + 2;
}

QRect COmissionChart::BarArea() const {
    const int legend = LegendHeight();
    const int labels = fontMetrics().height() + 2;
    return {2, legend + 2, width() - 4, std::max(1, height() - legend - labels - 4)};
}

// Every step-th label, centred under its bar and moved inside the widget at the edges.
QVector<COmissionChart::Label> COmissionChart::LabelsEvery(int step, const QRect& row) const {
    QVector<Label> labels;
    const double slot = double(row.width()) / m_bars.size();
    for (int i = 0; i < m_bars.size(); i += step) {
        const int width =
            std::min(this->width(), fontMetrics().horizontalAdvance(m_bars[i].label) + 2);
        const int centre = row.left() + int(i * slot + slot / 2);
        QRect rect(centre - width / 2, row.top(), width, row.height());
        if (rect.left() < 0)
            rect.moveLeft(0);
        if (rect.right() >= this->width())
            rect.moveRight(this->width() - 1);
        labels.push_back({i, rect});
    }
    return labels;
}

QVector<COmissionChart::Label> COmissionChart::Labels() const {
    if (m_bars.isEmpty())
        return {};
    const QRect area = BarArea();
    const QRect row(area.left(), area.bottom() + 1, area.width(), fontMetrics().height() + 2);
    for (int step = 1; step < m_bars.size(); ++step) {
        QVector<Label> labels = LabelsEvery(step, row);
        bool apart = true;
        for (qsizetype i = 1; i < labels.size() && apart; ++i)
            apart = labels[i - 1].rect.right() + kLabelGap < labels[i].rect.left();
        if (apart)
            return labels;
    }
    return LabelsEvery(int(m_bars.size()), row); // the first label alone
}

int COmissionChart::BarAt(const QPoint& point) const {
    const QRect area = BarArea();
    const int bottom = area.bottom() + fontMetrics().height() + 2;
    if (m_bars.isEmpty() || point.x() < area.left() || point.x() > area.right() ||
        point.y() < area.top() || point.y() > bottom)
        return -1;
    const double slot = double(area.width()) / m_bars.size();
    return std::min(int(m_bars.size()) - 1, int((point.x() - area.left()) / slot));
}

QString COmissionChart::BarTip(int index) const {
    if (index < 0 || index >= m_bars.size())
        return {};
    const Bar& bar = m_bars[index];
    QString tip = QStringLiteral("%1：当前遗漏 %2，理论遗漏 %3")
                      .arg(bar.label)
                      .arg(bar.current)
                      .arg(bar.expected ? FromUtf8(tarvex::AnalysisText::Decimal(bar.expected))
                                        : QStringLiteral("无（没有号码有此项）"));
    if (bar.overdue)
        tip += QStringLiteral("\n红色：当前遗漏超过以往最大遗漏或理论遗漏的两倍");
    if (bar.expected && *bar.expected > Scale())
        tip += QStringLiteral("\n理论遗漏超出图顶，灰条有缺口");
    return tip;
}

bool COmissionChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = BarTip(BarAt(help->pos()));
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
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
    painter.drawText(QRect(4, 0, width() - 8, LegendHeight()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, Legend());
    PaintBars(painter, BarArea());
    for (const Label& label : Labels())
        painter.drawText(label.rect, Qt::AlignCenter, m_bars[label.bar].label);
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
