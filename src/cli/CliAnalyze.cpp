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
    Print(options_.json
              ? AnalysisJson::Write(history_, last, analyses)
              : QByteArray::fromStdString(AnalysisText::Report(history_, last, analyses)));
    return kExitDone;
}

bool CliAnalyze::Load() {
    return LoadHistory(options_.historyPath, history_);
}

} // namespace tarvex
