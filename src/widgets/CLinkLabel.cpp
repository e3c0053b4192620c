#include "widgets/CLinkLabel.h"

#include "framework/Platform.h"
#include "widgets/LinkTarget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

QWidget* CLinkLabel::Make(QWidget* parent, const QString& text) {
    auto* label = new CLinkLabel(parent);
    label->setText(text);
    return label;
}

CLinkLabel::CLinkLabel(QWidget* parent)
    : QLabel(parent), m_colorHover(palette().color(QPalette::Highlight)) {}

void CLinkLabel::SetTarget(const QString& target) {
    m_target = target;
    if (m_attached) {
        FitToText();
        setToolTip(m_target);
    }
}

void CLinkLabel::SetVisited(bool visited) {
    m_visited = visited;
    update();
}

void CLinkLabel::Attach() {
    m_attached = true;
    if (m_target.isEmpty()) {
        m_target = text();
    }
    if (text().isEmpty()) {
        setText(m_target);
    }
    m_font = font();
    m_font.setUnderline(m_underline);
    setFont(m_font);
    FitToText();
    setCursor(Qt::PointingHandCursor);
    setToolTip(m_target);
}

void CLinkLabel::FitToText() {
    if (!m_attached || !m_fitToText) {
        return;
    }
    QRect r = geometry();
    const QSize textSize = QFontMetrics(m_font).size(Qt::TextSingleLine, text());
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    if (align & Qt::AlignVCenter) {
        const int d = (r.height() - textSize.height()) / 2;
        r.setRect(r.x(), r.y() + d, r.width(), r.height() - 2 * d);
    } else {
        r.setHeight(textSize.height());
    }
    if (align & Qt::AlignHCenter) {
        const int d = (r.width() - textSize.width()) / 2;
        r.setRect(r.x() + d, r.y(), r.width() - 2 * d, r.height());
    } else if (align & Qt::AlignRight) {
        r.setLeft(r.x() + r.width() - textSize.width());
    } else {
        r.setWidth(textSize.width());
    }
    setGeometry(r);
}

QColor CLinkLabel::CurrentColor() const {
    if (m_hovering) {
        return m_colorHover;
    }
    return m_visited ? m_colorVisited : m_colorNormal;
}

void CLinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(CurrentColor());
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    painter.drawText(rect(), int(align) | Qt::TextSingleLine, text());
}

void CLinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    SetHovering(true);
}

void CLinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    SetHovering(false);
}

void CLinkLabel::SetHovering(bool hovering) {
    if (m_hovering == hovering) {
        return;
    }
    m_hovering = hovering;
    repaint();
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        OnClicked();
    }
}

void CLinkLabel::showEvent(QShowEvent* event) {
    if (!m_attached) {
        Attach();
    }
    QLabel::showEvent(event);
}

void CLinkLabel::OnClicked() {
    const int result = OpenTarget(m_target);
    m_visited = result > 32;
    if (m_visited) {
        SetVisited(true);
        return;
    }
    update();
    Platform().Beep();
    ShowOpenError(this, result);
}
