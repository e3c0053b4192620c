#pragma once

#include "engine/HistoricDraw.h"

#include <QDate>
#include <QString>

#include <string>
#include <vector>

namespace tarvex {

// Which draw a prediction is for, and of which lottery.
class PredictionTarget {
public:
    static constexpr const char* k3D = "3D";
    static constexpr const char* kPermutation3 = "排列3";

    // The lottery a history file holds, by its name (排列3开奖历史.txt, pl3-history.txt);
    // 3D otherwise.
    static std::string LotteryOf(const QString& historyPath);
    // The 期号 after the newest draw (IssueNumber::Next, a new year starting when today is in
    // a later year than the newest draw); empty for an empty history.
    static std::string Next(const std::vector<HistoricDraw>& draws, const QDate& today);
    // The newest 期号 held; empty for an empty history.
    static std::string Newest(const std::vector<HistoricDraw>& draws);
};

} // namespace tarvex
