#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QWidget;
class QWindow;

// Tells a history bar when to look whether its files have changed: on a change to a file or
// to its folder (an editor, an update or the entry dialog replaces the file by renaming
// another over it, which ends a plain watch on the file), and when the window is activated.
// It speaks only while the window is idle — shown, no background run working on the draws,
// no box, menu or other modal window over it — and waits otherwise, so a reload never pulls
// the draws from under a run and never stacks a window on one the player is answering.
class CHistoryWatch : public QObject {
    Q_OBJECT
public:
    explicit CHistoryWatch(QWidget* owner);

    // Watches these files (those that exist) and the folders they are in.
    void Watch(const QStringList& paths);
    // Looks again shortly.
    void LookSoon();

signals:
    void Look();

private:
    void OnTimer();
    void OnFocusWindow(QWindow* window);
    bool Idle() const;

    QWidget* m_owner;
    QFileSystemWatcher m_watcher;
    QTimer m_timer;
    QStringList m_paths;
};
