#include "cli/CliAnalyze.h"

#include "cli/CliOptions.h"
#include "history/Analysis.h"
#include "history/AnalysisText.h"
#include "io/AnalysisJson.h"
#include "io/DrawHistory.h"

#include <QStringList>

namespace tarvex {

int CliAnalyze::Execute() {
    if (!Load()) {
        return kExitBadInput;
    }
    const auto last = static_cast<std::size_t>(options_.last);
    const std::vector<Analysis> analyses = RunAllAnalyses(history_, last);
    Print(options_.json ? AnalysisJson::Write(history_, last, analyses)
                        : QByteArray::fromStdString(AnalysisText::Report(history_, last, analyses)),
          out_);
    return kExitDone;
}

bool CliAnalyze::Load() {
    const QString& path = options_.historyPath;
    const DrawHistoryResult history = DrawHistory::Load(path);
    if (!history.ok()) {
        Error(history.error);
        return false;
    }
    for (const QString& problem : history.ProblemMessages(kListedHistoryProblems)) {
        Error(QStringLiteral("警告：“%1”：%2").arg(path, problem));
    }
    if (history.draws.empty()) {
        Error(QStringLiteral("开奖历史文件“%1”里没有读到任何一期").arg(path));
        return false;
    }
    history_ = history.draws;
    return true;
}

void CliAnalyze::Print(const QByteArray& bytes, std::FILE* to) const {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

void CliAnalyze::Error(const QString& message) const {
    Print(QStringLiteral("tarvex-cli: %1\n").arg(message).toUtf8(), err_);
}

} // namespace tarvex
