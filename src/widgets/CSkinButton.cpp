#include "widgets/CSkinButton.h"

#include "widgets/NineSlice.h"

#include <QPainter>
#include <QResizeEvent>

CSkinButton::CSkinButton(QWidget* parent) : QPushButton(parent) {
    // The picture covers the whole button, so there is no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSkinButton::CSkinButton(const QString& text, QWidget* parent) : CSkinButton(parent) {
    setText(text);
}

QString CSkinButton::SkinPath(int resourceId) {
    return QStringLiteral(":/skin%1.png").arg(resourceId);
}

bool CSkinButton::SetSkin(int resourceId, int frameCount, int top, int bottom, int left,
                          int right) {
    m_resourceId = resourceId;
    m_frameCount = frameCount;
    m_marginTop = top;
    m_marginBottom = bottom;
    m_marginLeft = left;
    m_marginRight = right;
    const bool built = BuildStates();
    update();
    return built;
}

QPixmap CSkinButton::StatePixmap(State state) const {
    switch (state) {
    case Normal:
        return m_normal;
    case Pressed:
        return m_pressed;
    case Focus:
        return m_focus;
    case Disabled:
        return m_disabled;
    }
    return {};
}

bool CSkinButton::BuildStates() {
    if (m_resourceId == 0 || m_frameCount <= 0) {
        return false;
    }
    const QImage strip = QImage(SkinPath(m_resourceId)).convertToFormat(QImage::Format_RGB32);
    if (strip.isNull()) {
        return false;
    }
    return BuildStatePixmap(strip, m_normal, 0) && BuildStatePixmap(strip, m_pressed, 1) &&
           BuildStatePixmap(strip, m_disabled, 2) && BuildStatePixmap(strip, m_focus, 3);
}

bool CSkinButton::BuildStatePixmap(const QImage& strip, QPixmap& state, int frame) {
    const int fw = strip.width() / m_frameCount;
    const int fh = strip.height();
    const int xs = frame * fw;
    if (fw <= 0 || xs + fw > strip.width() || width() <= 0 || height() <= 0 ||
        !MarginsFit(fw, fh)) {
        return false;
    }
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(m_keyColor);
    {
        QPainter painter(&picture);
        // Nearest-pixel stretching keeps the key colour exact, so no pink fringe survives.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const SlicePiece& piece : NineSlice(width(), height(), fw, fh, xs, m_marginTop,
                                                 m_marginBottom, m_marginLeft, m_marginRight)) {
            if (piece.source.width() > 0 && piece.source.height() > 0 && piece.target.width() > 0 &&
                piece.target.height() > 0) {
                painter.drawImage(piece.target, strip, piece.source);
            }
        }
    }
    state = QPixmap::fromImage(picture);
    state.setMask(state.createMaskFromColor(m_keyColor, Qt::MaskInColor));
    m_loaded = 1;
    return true;
}

// Fixed bands wider than the frame would copy pixels from outside it.
bool CSkinButton::MarginsFit(int fw, int fh) const {
    return m_marginTop >= 0 && m_marginBottom >= 0 && m_marginLeft >= 0 && m_marginRight >= 0 &&
           m_marginLeft + m_marginRight <= fw && m_marginTop + m_marginBottom <= fh;
}

void CSkinButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    if (m_frameCount > 0) {
        BuildStates();
    }
}

void CSkinButton::DrawStatePixmap(QPainter& painter, State state) const {
    if (m_loaded < 1) {
        return;
    }
    painter.drawPixmap(0, 0, StatePixmap(state));
}

void CSkinButton::PaintButton(QPainter& painter) const {
    painter.fillRect(rect(), palette().color(QPalette::Button));
    QRect caption = rect();
    bool disabled = false;
    if (hasFocus()) {
        DrawStatePixmap(painter, Focus);
        if (isDown()) {
            DrawStatePixmap(painter, Pressed);
            caption.setLeft(caption.left() + 5);
        }
    } else if (!isEnabled()) {
        DrawStatePixmap(painter, Disabled);
        disabled = true;
    } else {
        DrawStatePixmap(painter, Normal);
    }
    painter.setFont(m_captionFont.Font());
    painter.setPen(disabled ? palette().color(QPalette::Disabled, QPalette::WindowText)
                            : m_captionFont.Color());
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
}

void CSkinButton::paintEvent(QPaintEvent*) {
    // A hidden button gets its resize event only when shown; never paint stale states.
    if (m_loaded > 0 && m_normal.size() != size()) {
        BuildStates();
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap offscreen(size() * ratio);
    offscreen.setDevicePixelRatio(ratio);
    {
        QPainter painter(&offscreen);
        PaintButton(painter);
    }
    QPainter(this).drawPixmap(0, 0, offscreen);
}
