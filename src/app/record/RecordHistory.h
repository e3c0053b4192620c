#pragma once

#include "engine/HistoricDraw.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

// The draws a kept prediction is for and checked against: those of the history the program
// follows (PlayerHistory::Followed).
class RecordHistory {
public:
    // 3D开奖历史.txt in the output folder, else the shipped 3D history; empty when neither.
    static QString Path();
    // The draws of Path(), read quietly (the record never stops a run): empty when unreadable.
    // Read again only when the file changed; valid until the next call.
    static const std::vector<tarvex::HistoricDraw>& Draws();
    // Every lottery the player keeps a history of, for checking: 3D as above, and 排列3 from
    // 排列3开奖历史.txt in the output folder when it exists.
    static std::map<std::string, std::vector<tarvex::HistoricDraw>> AllLotteries();
    // The record file: 预测记录.jsonl in the output folder.
    static QString RecordPath();
};
