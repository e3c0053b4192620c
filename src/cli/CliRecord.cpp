#include "cli/CliRecord.h"

#include "cli/CliOptions.h"
#include "engine/RunText.h"
#include "io/JsonWriter.h"
#include "io/MessageText.h"
#include "io/NativeFileName.h"
#include "io/PredictionBacktest.h"
#include "io/PredictionTarget.h"

#include <cmath>

namespace tarvex {

namespace {

constexpr qsizetype kFieldLength = 40;

void Figures(JsonWriter& json, const char* key, const PredictionFigures& f) {
    json.Key(key);
    json.BeginObject(true);
    json.Number("checked", f.checked);
    json.Number("hits", f.hits);
    json.Real("hitRate", f.HitRate());
    json.Real("chance", f.Chance());
    json.Real("margin", f.Margin());
    json.Number("played", f.played);
    json.Number("cost", f.Cost());
    json.EndObject();
}

// A rate as a percentage, or "—" when nothing was checked.
QString Percent(const ExactRate& rate) {
    return QString::fromStdString(rate.Percent());
}

QString FiguresLine(const QString& name, const PredictionFigures& f) {
    return QStringLiteral("%1：%2 期，中 %3 期，命中率 %4，机会 %5，差 %6，共 %7 注，%8 元\n")
        .arg(name)
        .arg(f.checked)
        .arg(f.hits)
        .arg(Percent(f.HitShare()), Percent(f.ChanceShare()), Percent(f.MarginShare()))
        .arg(f.played)
        .arg(f.Cost());
}

// A field as read from the record, which anyone may have edited: escaped and cut as rule
// messages are, never a raw control character or a 100,000-character cell.
QString Field(const std::string& text) {
    return MessageText::Excerpt(text, kFieldLength);
}

QString Mark(bool checked, bool hit) {
    return checked ? (hit ? QStringLiteral("中") : QStringLiteral("错")) : QStringLiteral("—");
}

} // namespace

int CliRecord::Execute() {
    if (!Load()) {
        return kExitBadInput;
    }
    const PredictionRefs predictions = record_.Predictions();
    keep_.assign(predictions.size(), true);
    if (!options_.schemeId.isEmpty()) {
        for (std::size_t i = 0; i < predictions.size(); ++i) {
            keep_[i] =
                QString::fromStdString(predictions[i]->schemeId).startsWith(options_.schemeId);
        }
    }
    outcomes_ = PredictionCheck(histories_).CheckAll(predictions);
    summary_ = Summarize(predictions, outcomes_, keep_);
    backtest_ = PredictionBacktest::Run(record_.entries, outcomes_, keep_, histories_);
    options_.json ? PrintJson() : PrintText();
    return kExitDone;
}

bool CliRecord::Load() {
    std::vector<HistoricDraw> draws;
    if (!LoadHistory(options_.historyPath, draws)) {
        return false;
    }
    const std::string lottery = options_.lottery.isEmpty()
                                    ? PredictionTarget::LotteryOf(options_.historyPath)
                                    : options_.lottery.toStdString();
    histories_[lottery] = std::move(draws);
    record_ = PredictionRecord::Load(options_.recordPath);
    if (!record_.ok()) {
        Error(record_.error);
        return false;
    }
    for (const QString& note : record_.notes) {
        Error(QStringLiteral("警告：“%1”：%2")
                  .arg(NativeFileName::ShownName(options_.recordPath), note));
    }
    return true;
}

void CliRecord::PrintText() const {
    QString text = QStringLiteral("时间\t彩种\t期号\t方案\t注数\t开奖号\t杀号\t容错\t标记\n");
    for (std::size_t i = 0; i < record_.entries.size(); ++i) {
        if (!keep_[i]) {
            continue;
        }
        const PredictionEntry& e = record_.entries[i];
        const Prediction& p = e.prediction;
        const PredictionOutcome& o = outcomes_[i];
        QStringList marks;
        if (o.late) {
            marks << QStringLiteral("事后");
        }
        if (p.edited) {
            marks << QStringLiteral("已改动");
        }
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\n")
                    .arg(Field(e.time), Field(p.lottery), Field(p.issue), Field(p.schemeId))
                    .arg(p.count)
                    .arg(o.checked ? QString::fromStdString(CandidateText(o.winning))
                                   : QStringLiteral("—"),
                         Mark(o.checked, o.hit),
                         Mark(o.checked && p.toleranceLevel > 0, o.toleranceHit), marks.join(u' '));
    }
    text += '\n';
    text += FiguresLine(QStringLiteral("全部"), summary_.all);
    text += FiguresLine(QStringLiteral("最近30期"), summary_.last30);
    text += FiguresLine(QStringLiteral("最近100期"), summary_.last100);
    text += FiguresLine(QStringLiteral("回测（首条记录之前）"), backtest_);
    Print(text.toUtf8());
}

void CliRecord::PrintJson() const {
    JsonWriter json;
    json.BeginObject();
    json.Key("entries");
    json.BeginArray();
    for (std::size_t i = 0; i < record_.entries.size(); ++i) {
        if (!keep_[i]) {
            continue;
        }
        const PredictionEntry& e = record_.entries[i];
        const PredictionOutcome& o = outcomes_[i];
        json.BeginObject(true);
        json.Text("time", e.time);
        json.Text("issue", e.prediction.issue);
        json.Number("count", e.prediction.count);
        json.Key("winning");
        o.checked ? json.String(CandidateText(o.winning)) : json.Null();
        json.Key("hit");
        o.checked ? json.Bool(o.hit) : json.Null();
        json.Key("toleranceHit");
        o.checked&& e.prediction.toleranceLevel > 0 ? json.Bool(o.toleranceHit) : json.Null();
        json.Flag("late", o.late);
        json.Flag("edited", e.prediction.edited);
        json.EndObject();
    }
    json.EndArray();
    json.Key("figures");
    json.BeginObject();
    Figures(json, "all", summary_.all);
    Figures(json, "last30", summary_.last30);
    Figures(json, "last100", summary_.last100);
    json.EndObject();
    Figures(json, "backtest", backtest_);
    json.EndObject();
    Print(json.Take());
}

} // namespace tarvex
