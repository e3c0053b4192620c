#include "app/shared/CHistoryWatch.h"

#include "app/shared/CBackgroundRun.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <QWindow>

namespace {

// A replacement by rename is two steps (the old file moved to .bak, the new one moved in);
// looking a moment later sees the finished file, and a burst of changes gives one look.
constexpr int kSettleMs = 150;
// How soon to try again while the window is busy.
constexpr int kBusyRetryMs = 300;

} // namespace

CHistoryWatch::CHistoryWatch(QWidget* owner) : QObject(owner), m_owner(owner) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CHistoryWatch::OnTimer);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CHistoryWatch::LookSoon);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CHistoryWatch::LookSoon);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &CHistoryWatch::OnFocusWindow);
}

void CHistoryWatch::Watch(const QStringList& paths) {
    m_paths = paths;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    QStringList watched;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.exists())
            watched << info.absoluteFilePath();
        if (info.absoluteDir().exists())
            watched << info.absolutePath();
    }
    watched.removeDuplicates();
    if (!watched.isEmpty())
        m_watcher.addPaths(watched);
}

void CHistoryWatch::LookSoon() {
    if (!m_timer.isActive())
        m_timer.start(kSettleMs);
}

void CHistoryWatch::OnTimer() {
    if (!m_owner->isVisible())
        return; // looked at again when the window is activated
    if (!Idle()) {
        m_timer.start(kBusyRetryMs);
        return;
    }
    // A file renamed over the watched one ends its watch: watch what is there now.
    const QStringList files = m_watcher.files();
    for (const QString& path : m_paths) {
        const QFileInfo info(path);
        if (info.exists() && !files.contains(info.absoluteFilePath()))
            m_watcher.addPath(info.absoluteFilePath());
    }
    emit Look();
}

void CHistoryWatch::OnFocusWindow(QWindow* window) {
    if (window != nullptr && window == m_owner->window()->windowHandle())
        LookSoon();
}

bool CHistoryWatch::Idle() const {
    if (CBackgroundRun::Running() || QApplication::activePopupWidget() != nullptr)
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    return modal == nullptr || modal == m_owner->window();
}
