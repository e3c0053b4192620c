#include "history/AnalysisText.h"

#include "history/ExactRate.h"
#include "history/TextTable.h"

#include <cstdio>

namespace tarvex {

std::string AnalysisText::Decimal(const std::optional<double>& value) {
    if (!value) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", *value);
    return text;
}

std::string AnalysisText::Percent(const std::optional<double>& share) {
    if (!share) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.1f%%", *share * 100);
    return text;
}

std::string AnalysisText::HitPercent(const DanMethodRow& row) {
    return row.hitRate ? ExactRate{row.hits, row.tested}.Percent(1) : std::string("-");
}

std::string AnalysisText::OmissionTable(const std::vector<OmissionRow>& rows) {
    TextTable table({"项目", "出现", "当前遗漏", "最大遗漏", "平均遗漏", "理论遗漏", "欲出"});
    for (const OmissionRow& r : rows) {
        table.Add({r.item, std::to_string(r.hits), std::to_string(r.current), std::to_string(r.max),
                   Decimal(r.average), Decimal(r.expected), Decimal(r.Due())});
    }
    return table.Text();
}

std::string AnalysisText::DanTable(const std::vector<DanMethodRow>& rows) {
    TextTable table({"项目", "测试期数", "命中", "命中率", "机会", "当前连错", "最大连错"});
    for (const DanMethodRow& r : rows) {
        table.Add({r.item, std::to_string(r.tested), std::to_string(r.hits), HitPercent(r),
                   Percent(r.chance), std::to_string(r.currentMiss), std::to_string(r.maxMiss)});
    }
    return table.Text();
}

std::string AnalysisText::Table(const Analysis& analysis) {
    return analysis.name + "\n" +
           (analysis.kind == AnalysisKind::DanMethods ? DanTable(analysis.danRows)
                                                      : OmissionTable(analysis.rows));
}

std::string AnalysisText::Heading(const std::vector<HistoricDraw>& history, std::size_t last) {
    const std::size_t start = WindowStart(history.size(), last);
    if (start == history.size()) {
        return "没有开奖记录\n";
    }
    return "最近 " + std::to_string(history.size() - start) + " 期：" + history[start].issue +
           " 至 " + history.back().issue + "\n";
}

std::string AnalysisText::Report(const std::vector<HistoricDraw>& history, std::size_t last,
                                 const std::vector<Analysis>& analyses) {
    std::string text = Heading(history, last);
    for (const Analysis& analysis : analyses) {
        text += '\n';
        text += Table(analysis);
    }
    return text;
}

} // namespace tarvex
