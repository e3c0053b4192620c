#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

// A static text that behaves like a web link: underlined in a link colour, a hover colour under
// the mouse, a hand cursor, a tooltip with its target, and a click opens the target. After a
// successful open it is drawn in the visited colour.
//
// Attach() binds it to its place in the dialog: call it once the dialog has given the label its
// text and geometry. A label that is shown without having been attached attaches itself then.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(QWidget* parent = nullptr);
    // The factory a dialog template names for its link labels.
    static QWidget* Make(QWidget* parent, const QString& text);

    void SetTarget(const QString& target);
    QString Target() const { return m_target; }
    void SetVisited(bool visited);
    bool Visited() const { return m_visited; }
    bool Hovering() const { return m_hovering; }

    void Attach();
    bool Attached() const { return m_attached; }
    void FitToText();

    // The colour the text is drawn in now.
    QColor CurrentColor() const;
    QColor NormalColor() const { return m_colorNormal; }
    QColor VisitedColor() const { return m_colorVisited; }
    QColor HoverColor() const { return m_colorHover; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnClicked();
    void SetHovering(bool hovering);

    QColor m_colorNormal{0, 0, 238};
    QColor m_colorVisited{85, 26, 139};
    QColor m_colorHover;
    bool m_hovering = false;
    bool m_visited = false;
    bool m_underline = true;
    bool m_fitToText = true;
    QString m_target;
    QFont m_font;
    bool m_attached = false;
};
