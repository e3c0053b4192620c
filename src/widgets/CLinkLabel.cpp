#include "widgets/CLinkLabel.h"

CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent) {}

void CLinkLabel::SetTarget(const QString& target) {
    m_target = target;
}
