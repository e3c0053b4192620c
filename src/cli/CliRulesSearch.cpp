#include "cli/CliRulesSearch.h"

#include "cli/CliOptions.h"
#include "history/FormulaSearchText.h"
#include "history/RuleTargets.h"
#include "io/JsonWriter.h"
#include "io/MessageText.h"

namespace tarvex {

namespace {

void Segment(JsonWriter& json, const char* key, const FormulaSegment& segment) {
    json.Key(key);
    json.BeginObject(true);
    json.Text("first", segment.first);
    json.Text("last", segment.last);
    json.Number("draws", segment.draws);
    json.EndObject();
}

void Figures(JsonWriter& json, const RuleJudgement& j) {
    json.Number("tested", j.tested);
    json.Number("right", j.right);
    json.Real("chance", j.ChanceRate());
    json.Real("margin", j.Margin());
    json.Number("maxMiss", j.maxMiss);
}

} // namespace

int CliRulesSearch::Execute() {
    const std::optional<RuleTarget> target = RuleTargets::FromName(options_.target.toStdString());
    if (!target) {
        Error(QStringLiteral("--target 的值 \"%1\" 应为 %2")
                  .arg(MessageText::Excerpt(options_.target),
                       QString::fromStdString(RuleTargets::NameList())));
        return kExitBadInput;
    }
    std::vector<HistoricDraw> history;
    if (!LoadHistory(options_.historyPath, history)) {
        return kExitBadInput;
    }
    FormulaSearchOptions search = options_.search;
    search.target = *target;
    const FormulaSearchResult result = FormulaSearch::Run(history, search);
    if (!result.ok()) {
        Error(QString::fromStdString(result.error));
        return kExitBadInput;
    }
    Print(options_.json ? Json(result)
                        : QByteArray::fromStdString(
                              FormulaSearchText::Report(result, search.target, search.terms)));
    return kExitDone;
}

QByteArray CliRulesSearch::Json(const FormulaSearchResult& result) {
    JsonWriter json;
    json.BeginObject();
    json.Number("draws", result.draws);
    json.Number("tried", static_cast<long long>(result.tried));
    Segment(json, "train", result.train);
    Segment(json, "check", result.check);
    json.Real("shuffledBestMargin", result.shuffledBestMargin);
    json.Key("formulas");
    json.BeginArray();
    for (const FoundFormula& f : result.formulas) {
        json.BeginObject();
        json.Text("formula", f.formula);
        json.Texts("equivalents", f.equivalents);
        json.Key("train");
        json.BeginObject(true);
        Figures(json, f.train);
        json.EndObject();
        json.Key("check");
        json.BeginObject(true);
        Figures(json, f.check);
        json.Real("p", f.p);
        json.Real("pAdjusted", f.pAdjusted);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
