#include "app/sets/CSetRecordStrip.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kGap = 2;

} // namespace

CSetRecordStrip::CSetRecordStrip(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CSetRecordStrip::SetScan(const std::vector<bool>& scan,
                              const std::vector<std::string>& issues) {
    m_scan = scan;
    m_issues = issues;
    KeepRowsInSight();
    updateGeometry();
    update();
}

QString CSetRecordStrip::Text() const {
    QString text;
    for (const bool hit : m_scan)
        text += hit ? QStringLiteral("√") : QStringLiteral("×");
    return text;
}

// A cell holds one glyph of the widget's font with a little room.
int CSetRecordStrip::CellSize() const {
    return fontMetrics().height() + 2;
}

int CSetRecordStrip::PerRow(int width) const {
    return std::max(1, (width + kGap) / (CellSize() + kGap));
}

int CSetRecordStrip::heightForWidth(int width) const {
    const int cells = std::max(1, Cells());
    const int rows = (cells + PerRow(width) - 1) / PerRow(width);
    return rows * (CellSize() + kGap);
}

void CSetRecordStrip::KeepRowsInSight() {
    const int needed = heightForWidth(width());
    if (minimumHeight() != needed)
        setMinimumHeight(needed);
}

void CSetRecordStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    KeepRowsInSight();
}

QSize CSetRecordStrip::sizeHint() const {
    const int width = 50 * (CellSize() + kGap);
    return {width, heightForWidth(width)};
}

int CSetRecordStrip::CellAt(const QPoint& point) const {
    const int step = CellSize() + kGap;
    const int column = point.x() / step;
    const int row = point.y() / step;
    const int index = row * PerRow(width()) + column;
    const bool inside = column < PerRow(width()) && point.x() >= 0 && point.y() >= 0;
    return inside && index < Cells() ? index : -1;
}

bool CSetRecordStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = CellAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
        } else {
            const auto at = static_cast<std::size_t>(index);
            const QString issue =
                at < m_issues.size() ? QString::fromStdString(m_issues[at]) : QString();
            QToolTip::showText(
                help->globalPos(),
                issue + (m_scan[at] ? QStringLiteral(" 中") : QStringLiteral(" 不中")), this);
        }
        return true;
    }
    return QWidget::event(event);
}

void CSetRecordStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int size = CellSize();
    const int perRow = PerRow(width());
    for (int i = 0; i < Cells(); ++i) {
        const QRect cell((i % perRow) * (size + kGap), (i / perRow) * (size + kGap), size, size);
        const bool hit = m_scan[static_cast<std::size_t>(i)];
        painter.fillRect(cell, hit ? QColor(0x2e, 0x8b, 0x57) : QColor(0xee, 0xee, 0xee));
        painter.setPen(hit ? Qt::white : QColor(0x99, 0x99, 0x99));
        painter.drawText(cell, Qt::AlignCenter, hit ? QStringLiteral("√") : QStringLiteral("×"));
    }
}
