#include "cli/CliAudit.h"

#include "cli/CliOptions.h"
#include "history/RandomnessAudit.h"
#include "history/RandomnessText.h"
#include "io/JsonWriter.h"
#include "io/MessageText.h"

#include <vector>

namespace tarvex {

namespace {

void Optional(JsonWriter& json, const char* key, const std::optional<double>& value) {
    json.Key(key);
    value ? json.Double(*value) : json.Null();
}

} // namespace

CliVerb CliAudit::Verb() {
    return {
        QStringLiteral("audit"),
        {QStringLiteral("随机性检验：开奖历史与公平开奖有没有显著差异——各位数字、1000 个号码、"),
         QStringLiteral("组选、和值、跨度、形态、与上期的关系、游程、遗漏，以及热号、冷号、试机号"),
         QStringLiteral("这些说法；每项给出统计量、自由度、p 值和按 Holm 方法校正的 p 值。")},
        {{"--history", "FILE",
          QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
         {"--last", "N", QStringLiteral("只检验最近 N 期（默认全部）")},
         {"--hot", "N",
          QStringLiteral("热号：前 N 期出现最多的数字（默认 %1）")
              .arg(RandomnessAudit::kHotWindow)},
         {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}}};
}

bool CliAudit::Whole(const CliInvocation& in, const QString& name, int low, int high, int& into,
                     QString& bad) {
    if (!in.Has(name)) {
        return true;
    }
    bool number = false;
    into = in.Value(name).toInt(&number);
    if (!number || into < low || into > high) {
        bad = QStringLiteral("%1 的值 \"%2\" 应为 %3 到 %4 之间的整数")
                  .arg(name, MessageText::Excerpt(in.Value(name)))
                  .arg(low)
                  .arg(high);
        return false;
    }
    return true;
}

int CliAudit::Execute(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad) {
    int last = 0, hot = RandomnessAudit::kHotWindow;
    if (!Whole(in, "--last", 1, 1000000, last, bad) || !Whole(in, "--hot", 1, 1000, hot, bad)) {
        return kExitBadInput;
    }
    const CliAudit command(out, err);
    std::vector<HistoricDraw> history;
    if (!command.LoadHistory(in.Value("--history"), history)) {
        return kExitBadInput;
    }
    const RandomnessAudit audit = RandomnessAudit::Of(history, static_cast<std::size_t>(last), hot);
    command.Print(in.Has("--json") ? Json(audit, hot)
                                   : QByteArray::fromStdString(RandomnessText::Report(audit)));
    return kExitDone;
}

QByteArray CliAudit::Json(const RandomnessAudit& audit, int hotWindow) {
    JsonWriter json;
    json.BeginObject();
    json.Number("draws", audit.draws);
    json.Text("first", audit.firstIssue);
    json.Text("last", audit.lastIssue);
    json.Number("hotWindow", hotWindow);
    json.Number("run", audit.Run());
    json.Number("significantCount", audit.Significant());
    json.Text("summary", RandomnessText::Summary(audit));
    json.Key("tests");
    json.BeginArray();
    for (const RandomnessTest& test : audit.tests) {
        json.BeginObject(true);
        json.Text("name", test.name);
        Optional(json, "statistic", test.p ? std::optional<double>(test.statistic) : std::nullopt);
        json.Key("df");
        test.df&& test.p ? json.Int(*test.df) : json.Null();
        Optional(json, "p", test.p);
        Optional(json, "pHolm", test.pHolm);
        json.Flag("significant", test.significant);
        json.Text("verdict", RandomnessText::Verdict(test));
        json.Number("n", test.sample);
        json.Text("note", test.note);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
