#pragma once

#include <QLabel>

// A static text that behaves like a web link and opens its target when clicked.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(QWidget* parent = nullptr);
    void SetTarget(const QString& target);
    QString Target() const { return m_target; }

private:
    QString m_target;
};
