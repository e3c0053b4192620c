#include "cli/CliRecordCommand.h"

#include "cli/CliRecord.h"
#include "history/IssueNumber.h"
#include "io/MessageText.h"
#include "io/PredictionTarget.h"

namespace tarvex {

CliVerb CliRecordCommand::Verb() {
    return {
        QStringLiteral("record"),
        {QStringLiteral("预测记录：每条预测对照开奖历史是否命中，以及命中率、机会（随机选同样"),
         QStringLiteral("多的号码会中的比例）、花费，和同一方案在首条记录之前的回测。")},
        {{"--record", "FILE", QStringLiteral("预测记录（run --record 写的 .jsonl 文件）"), true},
         {"--history", "FILE",
          QStringLiteral("开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）"), true},
         {"--lottery", "NAME", QStringLiteral("开奖历史的彩种：3D 或 排列3（默认按文件名）")},
         {"--scheme-id", "ID", QStringLiteral("只看这个方案的记录（表中“方案”一列）")},
         {"--json", "", QStringLiteral("输出一个 JSON 对象，而不是表格")}}};
}

std::vector<CliVerbOption> CliRecordCommand::RunOptions() {
    return {
        {"--record", "FILE",
         QStringLiteral("把这次杀号（和容错）作为对下一期的预测追加到预测记录 FILE")},
        {"--issue", "ISSUE", QStringLiteral("预测的期号（默认 --history 最新一期的下一期）")},
        {"--history", "FILE", QStringLiteral("开奖历史：--record 从它取下一期的期号")},
        {"--lottery", "NAME", QStringLiteral("3D 或 排列3（默认按 --history 的文件名，否则 3D）")}};
}

bool CliRecordCommand::LotteryValue(const CliInvocation& in, QString& into, QString& error) {
    into = in.Value("--lottery");
    if (!into.isEmpty() && into != QLatin1String(PredictionTarget::k3D) &&
        into != QString::fromUtf8(PredictionTarget::kPermutation3)) {
        error = QStringLiteral("--lottery 的值 \"%1\" 应为 3D 或 排列3")
                    .arg(MessageText::Excerpt(into));
        return false;
    }
    return true;
}

bool CliRecordCommand::RunValues(const CliInvocation& in, CliOptions& options, QString& error) {
    options.recordPath = in.Value("--record");
    options.issue = in.Value("--issue");
    options.historyPath = in.Value("--history");
    if (!LotteryValue(in, options.lottery, error)) {
        return false;
    }
    if (options.recordPath.isEmpty()) {
        if (in.Has("--issue") || in.Has("--history") || in.Has("--lottery")) {
            error = QStringLiteral("--issue、--history 和 --lottery 只和 --record 一起用");
            return false;
        }
        return true;
    }
    if (options.issue.isEmpty() && options.historyPath.isEmpty()) {
        error = QStringLiteral("--record 需要 --issue 或 --history 来确定预测的期号");
        return false;
    }
    if (!options.issue.isEmpty() && !IssueNumber::Split(options.issue.toStdString())) {
        error = QStringLiteral("--issue 的值 \"%1\" 应为五位（YYNNN）或七位（YYYYNNN）期号")
                    .arg(MessageText::Excerpt(options.issue));
        return false;
    }
    return true;
}

int CliRecordCommand::Execute(const CliInvocation& in, std::FILE* out, std::FILE* err,
                              QString& bad) {
    RecordOptions options;
    options.recordPath = in.Value("--record");
    options.historyPath = in.Value("--history");
    options.schemeId = in.Value("--scheme-id");
    options.json = in.Has("--json");
    if (!LotteryValue(in, options.lottery, bad)) {
        return kExitBadInput;
    }
    return CliRecord(options, out, err).Execute();
}

} // namespace tarvex
