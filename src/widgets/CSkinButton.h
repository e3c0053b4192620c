#pragma once

#include "widgets/CLabelFont.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

// A push button painted from a strip of equal-width frames: each frame is stretched to the
// button by nine-slice scaling and drawn with magenta as the transparent colour over the button
// face, then captioned in a fixed font.
class CSkinButton : public QPushButton {
    Q_OBJECT
public:
    enum State { Normal, Pressed, Focus, Disabled };

    explicit CSkinButton(QWidget* parent = nullptr);
    explicit CSkinButton(const QString& text, QWidget* parent = nullptr);

    // Frames 0 to 3 of the strip feed the normal, pressed, disabled and focus states. True when
    // all four were built; they are rebuilt whenever the button changes its size.
    bool SetSkin(int resourceId, int frameCount, int top, int bottom, int left, int right);
    bool Loaded() const { return m_loaded > 0; }
    QPixmap StatePixmap(State state) const;
    const CLabelFont& CaptionFont() const { return m_captionFont; }

    // Where the strip of a bitmap resource lives.
    static QString SkinPath(int resourceId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool BuildStates();
    bool BuildStatePixmap(const QImage& strip, QPixmap& state, int frame);
    bool MarginsFit(int fw, int fh) const;
    void DrawStatePixmap(QPainter& painter, State state) const;
    void PaintButton(QPainter& painter) const;

    int m_loaded = 0;
    int m_resourceId = 0;
    int m_frameCount = 0;
    QPixmap m_normal;
    QPixmap m_pressed;
    QPixmap m_focus;
    QPixmap m_disabled;
    int m_marginTop = 8;
    int m_marginBottom = 8;
    int m_marginLeft = 8;
    int m_marginRight = 17;
    QColor m_keyColor{255, 0, 255};
    CLabelFont m_captionFont;
};
