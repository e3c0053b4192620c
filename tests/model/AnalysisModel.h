#pragma once

#include "engine/HistoricDraw.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A deliberately literal count of the history analyses, written from their definitions
// alone: items are tested on the "%03d" text of a number, runs are cut out of the whole
// hit/miss sequence of each item, and chances are counted over the 1,000 numbers. It
// shares no code with src/history; the dan digits come from CalcDan, which defines them.
namespace tarvex::model {

struct Item {
    std::string text;
    std::function<bool(const std::string& number)> holds; // number as "%03d"
};

struct Row {
    std::string item;
    int hits = 0;
    int current = 0;
    int max = 0;
    double average = 0;
    std::optional<double> expected;
};

struct DanRow {
    std::string item;
    int tested = 0;
    int hits = 0;
    std::optional<double> hitRate;
    std::optional<double> chance;
    int currentMiss = 0;
    int maxMiss = 0;
};

struct Analysis {
    std::string name;
    std::vector<Row> rows;
    std::vector<DanRow> danRows;
};

// The ten button captions in order.
std::vector<std::string> AnalysisNames();
// The items of analysis `index` (0–8) in order; 云杉分析 (9) has none.
std::vector<Item> Items(std::size_t index);
std::vector<Analysis> Analyses(const std::vector<HistoricDraw>& history, std::size_t last);

// The cell of the trend chart for row `row` of the window (the window's draws given),
// position 0–2 and digit, counted backwards from that row.
int TrendCell(const std::vector<HistoricDraw>& window, std::size_t row, int position, int digit);
// The last `last` draws (all for 0 or more than there are).
std::vector<HistoricDraw> Window(const std::vector<HistoricDraw>& history, std::size_t last);

std::string Text3(int number);

} // namespace tarvex::model
