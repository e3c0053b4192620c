#pragma once

#include <functional>
#include <utility>

// Starts work on Qt's thread pool so that what the caller built before is seen by the worker
// to happen before the work. The pool hands a task to a thread under its own lock, which
// ThreadSanitizer cannot see (Qt is not built with it), so the hand-over is stated here with
// a release and an acquire on one counter.
class PoolTask {
public:
    template <class Work> static void Start(Work work) {
        Hand([work = std::move(work)]() mutable {
            Arrived();
            work();
        });
    }

private:
    static void Hand(std::function<void()> task);
    static void Arrived();
};
