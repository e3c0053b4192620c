#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers a modal dialog or popup menu that the test is about to open with exec().
//
// Polls every 10 ms until find() returns a widget, then stops polling and calls act() with it
// once; act() is expected to close the widget so exec() returns. If find() finds nothing within
// timeoutMs, TimedOut() becomes true and the closer closes every active popup and modal widget
// it sees from then on (until it dies), so exec() returns and the test fails on its checks
// instead of hanging until ctest's timeout.
//
// Create it on the stack just before the call that runs exec(); its destructor stops polling,
// so it never touches a later test's windows.
class CModalCloser {
public:
    CModalCloser(std::function<QWidget*()> find, std::function<void(QWidget*)> act,
                 int timeoutMs = 5000);
    ~CModalCloser();
    CModalCloser(const CModalCloser&) = delete;
    CModalCloser& operator=(const CModalCloser&) = delete;

    bool Acted() const { return m_acted; }
    bool TimedOut() const { return m_timedOut; }
    // For QVERIFY2: what happened, in words.
    QString Describe() const;

private:
    void Poll();
    static void CloseActiveWindows();

    std::function<QWidget*()> m_find;
    std::function<void(QWidget*)> m_act;
    int m_timeoutMs;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_acted = false;
    bool m_timedOut = false;
};

// Closers for the active modal widget or popup of type T: act gets it as a T*.
template <class T>
CModalCloser CloseModalWhenShown(std::function<void(T*)> act, int timeoutMs = 5000) {
    return CModalCloser([] { return qobject_cast<T*>(QApplication::activeModalWidget()); },
                        [act](QWidget* w) { act(static_cast<T*>(w)); }, timeoutMs);
}

template <class T>
CModalCloser ClosePopupWhenShown(std::function<void(T*)> act, int timeoutMs = 5000) {
    return CModalCloser([] { return qobject_cast<T*>(QApplication::activePopupWidget()); },
                        [act](QWidget* w) { act(static_cast<T*>(w)); }, timeoutMs);
}
