#pragma once

#include "io/HistoryUpdater.h"

#include <QString>

#include <vector>

class QWidget;

// 更新开奖数据 in the window: asks the sources off the window's thread, with a progress bar
// and 取消, and tells the player what each source gave.
class CDrawUpdate {
public:
    // The built-in sources and the player's own for the file.
    static tarvex::UpdateOutcome Run(QWidget* parent, const QString& path);
    static tarvex::UpdateOutcome Run(QWidget* parent, const QString& path,
                                     const std::vector<tarvex::DrawSource>& sources);
};
