#pragma once

#include "engine/Progress.h"

#include <QString>

#include <functional>

class QWidget;

// Runs a computation off the window's thread so the window keeps painting. For the first
// moment the player's input waits; a run that takes longer than that shows a busy cursor and,
// when it has a progress text, a progress bar with 取消. The call returns once the work has
// ended, so the work may use what the caller holds.
class CBackgroundRun {
public:
    static constexpr int kQuietMs = 200;

    using Work = std::function<void(const tarvex::ProgressFn& progress)>;

    // False when the player cancelled: the work has then stopped early.
    static bool Run(QWidget* parent, const QString& progressText, const Work& work);
    // True while a run is under way: the window is waiting in Run's event loop, and what the
    // work reads must not change.
    static bool Running();
};
