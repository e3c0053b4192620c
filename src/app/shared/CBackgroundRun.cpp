#include "app/shared/CBackgroundRun.h"
#include "app/shared/PoolTask.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

int g_running = 0; // runs under way, nested ones included

class RunningMark {
public:
    RunningMark() { ++g_running; }
    ~RunningMark() { --g_running; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;
};

// What the worker and the window share; the window waits for the worker, so it outlives it.
struct Shared {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    std::atomic<int> permille{-1}; // -1 until the work says how far it is
};

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void Start(const std::shared_ptr<Shared>& shared, const CBackgroundRun::Work& work,
           QEventLoop& loop) {
    QPointer<QEventLoop> wake(&loop);
    PoolTask::Start([shared, &work, wake] {
        work([shared](std::size_t done, std::size_t total) {
            if (total > 0)
                shared->permille = static_cast<int>(done * 1000 / total);
            return !shared->cancelled.load();
        });
        shared->finished = true;
        QMetaObject::invokeMethod(
            qApp,
            [wake] {
                if (wake)
                    wake->quit();
            },
            Qt::QueuedConnection);
    });
}

// The progress bar follows the worker's figure; polling keeps the worker free of Qt.
void ShowProgress(QWidget* parent, const QString& text, const std::shared_ptr<Shared>& shared,
                  QEventLoop& loop) {
    QProgressDialog progress(text, QStringLiteral("取消"), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("tarvex"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, [shared] { shared->cancelled = true; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (progress.wasCanceled())
            shared->cancelled = true;
        const int permille = shared->permille.load();
        if (permille >= 0 && !shared->cancelled) {
            progress.setMaximum(1000);
            progress.setValue(permille);
        }
    });
    poll.start(50);
    progress.show();
    loop.exec();
}

} // namespace

bool CBackgroundRun::Run(QWidget* parent, const QString& progressText, const Work& work) {
    const RunningMark running;
    auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    Start(shared, work, loop);
    QTimer::singleShot(kQuietMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!shared->finished) {
        const BusyCursor busy;
        if (progressText.isEmpty()) {
            while (!shared->finished)
                loop.exec(QEventLoop::ExcludeUserInputEvents);
        } else {
            while (!shared->finished)
                ShowProgress(parent, progressText, shared, loop);
        }
    }
    return !shared->cancelled;
}

bool CBackgroundRun::Running() {
    return g_running > 0;
}
