#include "ModalCloser.h"

#include <QDialog>
#include <QWidget>
#include <QtDebug>

namespace {
constexpr int kPollMs = 10;
}

CModalCloser::CModalCloser(std::function<QWidget*()> find, std::function<void(QWidget*)> act,
                           int timeoutMs)
    : m_find(std::move(find)), m_act(std::move(act)), m_timeoutMs(timeoutMs) {
    m_timer.setInterval(kPollMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_clock.start();
    m_timer.start();
}

CModalCloser::~CModalCloser() {
    m_timer.stop();
}

QString CModalCloser::Describe() const {
    if (m_acted)
        return QStringLiteral("the expected window was shown and answered");
    if (m_timedOut)
        return QStringLiteral("the expected window did not appear within %1 ms").arg(m_timeoutMs);
    return QStringLiteral("the expected window has not appeared (yet)");
}

void CModalCloser::Poll() {
    if (m_timedOut) {
        CloseActiveWindows();
        return;
    }
    if (QWidget* widget = m_find ? m_find() : nullptr) {
        // Stop first: act() may run an event loop of its own and must not be re-entered.
        m_timer.stop();
        m_acted = true;
        m_act(widget);
        return;
    }
    if (m_clock.elapsed() >= m_timeoutMs) {
        m_timedOut = true;
        qWarning("CModalCloser: the expected window did not appear within %d ms; closing "
                 "whatever is active so exec() returns",
                 m_timeoutMs);
        CloseActiveWindows();
    }
}

void CModalCloser::CloseActiveWindows() {
    // Bounded: a widget that refuses to close must not spin this loop forever.
    for (int i = 0; i < 16; ++i) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            continue;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}
