#include "history/Analysis.h"

#include "history/AnalysisItems.h"
#include "history/DanMethodAnalysis.h"
#include "history/ItemTable.h"
#include "history/OmissionTally.h"

namespace tarvex {

namespace {

std::vector<OmissionRow> OmissionRows(AnalysisKind kind, const std::vector<HistoricDraw>& history,
                                      std::size_t start) {
    const ItemTable& table = ItemTable::Of(kind);
    OmissionTally tally(table.ItemCount());
    const int draws = static_cast<int>(history.size() - start);
    for (int i = 0; i < draws; ++i) {
        for (const std::uint8_t item : table.HoldingAt(DrawNumber(history[start + i]))) {
            tally.Hit(item, i);
        }
    }
    const std::vector<AnalysisItem>& items = AnalysisItems::Of(kind);
    std::vector<OmissionRow> rows;
    rows.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        OmissionRow row;
        row.item = items[i].text;
        row.condition = items[i].condition;
        row.hits = tally.Hits(i);
        row.current = tally.Current(i, draws);
        row.max = tally.Longest(i, draws);
        row.maxBefore = tally.LongestBefore(i);
        row.average = tally.Average(i, draws);
        // (1000 − c) / c is (1 − p) / p without the rounding of p, so 600 / 400 gives 1.5.
        const int numbers = table.NumbersHolding(i);
        if (numbers > 0) {
            row.expected = static_cast<double>(1000 - numbers) / numbers;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::string AnalysisName(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Route012:
        return "012路分析";
    case AnalysisKind::Sum:
        return "和值分析";
    case AnalysisKind::SumTail:
        return "合值分析";
    case AnalysisKind::Span:
        return "跨度分析";
    case AnalysisKind::OddEven:
        return "奇偶分析";
    case AnalysisKind::SingleDigit:
        return "单码分析";
    case AnalysisKind::BigSmall:
        return "大小分析";
    case AnalysisKind::Composite:
        return "综合分析";
    case AnalysisKind::TwoCode:
        return "石榴分析";
    case AnalysisKind::DanMethods:
        return "云杉分析";
    }
    return {};
}

std::optional<double> OmissionRow::Due() const {
    if (average <= 0) {
        return std::nullopt;
    }
    return current / average;
}

bool OmissionRow::Overdue() const {
    return current > maxBefore || (expected && current > 2 * *expected);
}

std::size_t WindowStart(std::size_t size, std::size_t last) {
    return last == 0 || last >= size ? 0 : size - last;
}

int DrawNumber(const HistoricDraw& draw) {
    return (draw.number % 1000 + 1000) % 1000;
}

Analysis RunAnalysis(AnalysisKind kind, const std::vector<HistoricDraw>& history,
                     std::size_t last) {
    Analysis analysis{kind, AnalysisName(kind), {}, {}};
    const std::size_t start = WindowStart(history.size(), last);
    if (kind == AnalysisKind::DanMethods) {
        analysis.danRows = DanMethodAnalysis::Run(history, start);
    } else {
        analysis.rows = OmissionRows(kind, history, start);
    }
    return analysis;
}

std::vector<Analysis> RunAllAnalyses(const std::vector<HistoricDraw>& history, std::size_t last) {
    std::vector<Analysis> all;
    all.reserve(kAnalysisKinds.size());
    for (const AnalysisKind kind : kAnalysisKinds) {
        all.push_back(RunAnalysis(kind, history, last));
    }
    return all;
}

} // namespace tarvex
