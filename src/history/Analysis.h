#pragma once

#include "engine/HistoricDraw.h"
#include "history/ItemCondition.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// The ten analyses of 基本分析, in the order of its buttons.
enum class AnalysisKind {
    Route012,    // 012路分析
    Sum,         // 和值分析
    SumTail,     // 合值分析
    Span,        // 跨度分析
    OddEven,     // 奇偶分析
    SingleDigit, // 单码分析
    BigSmall,    // 大小分析
    Composite,   // 综合分析
    TwoCode,     // 石榴分析
    DanMethods,  // 云杉分析
};

inline constexpr std::array<AnalysisKind, 10> kAnalysisKinds{
    AnalysisKind::Route012,   AnalysisKind::Sum,       AnalysisKind::SumTail,
    AnalysisKind::Span,       AnalysisKind::OddEven,   AnalysisKind::SingleDigit,
    AnalysisKind::BigSmall,   AnalysisKind::Composite, AnalysisKind::TwoCode,
    AnalysisKind::DanMethods,
};

// The button caption, "012路分析" … "云杉分析".
std::string AnalysisName(AnalysisKind kind);

// How one item behaved over the draws of the window (N draws, oldest first).
struct OmissionRow {
    std::string item;
    ItemCondition condition;
    int hits = 0;       // 出现: draws in which the item holds
    int current = 0;    // 当前遗漏: draws since its newest hit; N when it never held
    int max = 0;        // 最大遗漏: longest run without it, the runs before the first hit and
                        // the current one included
    int maxBefore = 0;  // longest run that ended in a hit: max without the current run
    double average = 0; // 平均遗漏: (N − hits) / (hits + 1)
    std::optional<double> expected; // 理论遗漏: (1 − p) / p; absent when p is 0

    // 欲出: current / average; absent when the average is 0 (the item held every draw).
    std::optional<double> Due() const;
    // Worth a mark: its current run is longer than any run before it, or more than twice
    // what chance would give.
    bool Overdue() const;
};

// How one dan method would have fared: each tested draw is a hit when its number holds at
// least one of the dan digits worked out from the previous draw.
struct DanMethodRow {
    std::string item; // "云杉算胆法", "黄金算胆法", "qkrtz算胆法"
    int method = 1;   // 1, 2 or 3, as CalcDan numbers them
    int tested = 0;   // 测试期数: draws of the window with a previous draw in the history
    int hits = 0;     // 命中
    std::optional<double> hitRate; // 命中率: hits / tested; absent when nothing was tested
    std::optional<double> chance; // 机会: mean of 1 − ((10 − k) / 10)³ over the tested draws
    int currentMiss = 0;          // 当前连错: misses since the newest hit
    int maxMiss = 0;              // 最大连错: longest run of misses
};

struct Analysis {
    AnalysisKind kind = AnalysisKind::Route012;
    std::string name;
    std::vector<OmissionRow> rows;     // every analysis but 云杉分析
    std::vector<DanMethodRow> danRows; // 云杉分析 only
};

// The analyses over the last `last` draws of `history` (oldest first; 0 or more than there
// are takes all). The 云杉 rows may read the draw just before the window.
Analysis RunAnalysis(AnalysisKind kind, const std::vector<HistoricDraw>& history, std::size_t last);
std::vector<Analysis> RunAllAnalyses(const std::vector<HistoricDraw>& history, std::size_t last);

// Index of the first draw of the window of the last `last` draws.
std::size_t WindowStart(std::size_t size, std::size_t last);

// A draw's number as the analyses read it: 0..999 (anything else is taken modulo 1000, so a
// caller's slip can never index outside a table).
int DrawNumber(const HistoricDraw& draw);

} // namespace tarvex
