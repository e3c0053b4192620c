#include "history/FormulaSearchText.h"

#include "history/RuleTargets.h"
#include "history/TextTable.h"

#include <cstdio>

namespace tarvex {

namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Segment(const char* name, const FormulaSegment& segment) {
    return std::string(name) + " " + std::to_string(segment.draws) + " 期（" + segment.first +
           " 至 " + segment.last + "）";
}

std::string Ratio(const RuleJudgement& j) {
    return std::to_string(j.right) + "/" + std::to_string(j.tested);
}

} // namespace

std::string FormulaSearchText::Percent(const ExactRate& rate) {
    return rate.Percent(2);
}

std::string FormulaSearchText::SignedPercent(const ExactRate& rate) {
    return rate.Percent(2, true);
}

std::string FormulaSearchText::SignedPercent(double rate) {
    return Format("%+.2f%%", rate * 100.0);
}

std::string FormulaSearchText::PValue(double p) {
    return p >= 0.001 || p == 0.0 ? Format("%.4f", p) : Format("%.2g", p);
}

std::string FormulaSearchText::Report(const FormulaSearchResult& result, RuleTarget target,
                                      int terms) {
    std::string text = std::string(RuleTargets::Name(target)) + "，" + std::to_string(terms) +
                       " 项公式，共 " + std::to_string(result.tried) + " 个；窗口 " +
                       std::to_string(result.draws) + " 期：" + Segment("训练段", result.train) +
                       "，" + Segment("检验段", result.check) + "。\n";
    text += "同样的搜索在打乱次序的历史上，最好的训练差值是 " +
            SignedPercent(result.shuffledBestMargin) + "。\n";
    text += "训练成绩最好的 " + std::to_string(result.formulas.size()) +
            " 个公式拿到检验段上检验；p 是机会本身做到同样好的概率，校正 p = min(1, K·p)。\n\n";
    TextTable table({"公式", "训练 对/测", "命中率", "机会率", "差值", "最大连错", "检验 对/测",
                     "命中率", "机会率", "差值", "最大连错", "p", "校正p", ""});
    for (const FoundFormula& f : result.formulas) {
        table.Add({f.formula, Ratio(f.train), Percent(f.train.HitShare()),
                   Percent(f.train.ChanceShare()), SignedPercent(f.train.MarginShare()),
                   std::to_string(f.train.maxMiss), Ratio(f.check), Percent(f.check.HitShare()),
                   Percent(f.check.ChanceShare()), SignedPercent(f.check.MarginShare()),
                   std::to_string(f.check.maxMiss), PValue(f.p), PValue(f.pAdjusted),
                   Significant(f) ? "" : NotSignificant()});
    }
    text += table.Text();
    for (const FoundFormula& f : result.formulas) {
        text += f.equivalents.empty() ? std::string() : Equivalents(f) + "\n";
    }
    return text;
}

std::string FormulaSearchText::Equivalents(const FoundFormula& found) {
    std::string names;
    for (const std::string& other : found.equivalents) {
        names += (names.empty() ? "" : "、") + other;
    }
    return found.formula + " 与 " + names + " 每期的值都相同，只算一个";
}

} // namespace tarvex
