#include "app/shared/PoolTask.h"

#include <QRunnable>
#include <QThreadPool>

#include <atomic>
#include <cstdint>

namespace {

// Only ever added to, so every acquire that reads it follows every hand-over before.
std::atomic<std::uint64_t> g_handedOver{0};

} // namespace

void PoolTask::Hand(std::function<void()> task) {
    QRunnable* runnable = QRunnable::create(std::move(task));
    g_handedOver.fetch_add(1, std::memory_order_release);
    QThreadPool::globalInstance()->start(runnable);
}

void PoolTask::Arrived() {
    (void)g_handedOver.load(std::memory_order_acquire);
}
