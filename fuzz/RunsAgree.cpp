#include "RunsAgree.h"

namespace tarvex {

namespace {

bool SameReport(const std::vector<ReportLine>& a, const std::vector<ReportLine>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].number != b[i].number || a[i].labels != b[i].labels || a[i].count != b[i].count) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string KillDifference(const KillOutcome& engine, const KillOutcome& model) {
    if (engine.message != model.message) {
        return "message: \"" + engine.message + "\" vs \"" + model.message + "\"";
    }
    if (engine.survivors != model.survivors) {
        return "survivors";
    }
    if (engine.killed != model.killed) {
        return "killed numbers or their order";
    }
    if (engine.resultText != model.resultText) {
        return "result text";
    }
    if (engine.countText != model.countText) {
        return "count text";
    }
    if (engine.fileText != model.fileText) {
        return "tarvex.txt text";
    }
    return {};
}

std::string ToleranceDifference(const ToleranceOutcome& engine, const ToleranceOutcome& model) {
    if (!SameReport(engine.report, model.report)) {
        return "report";
    }
    if (engine.readmitted != model.readmitted) {
        return "readmitted numbers";
    }
    if (engine.list != model.list) {
        return "list box";
    }
    if (engine.resultText != model.resultText) {
        return "result text";
    }
    if (engine.countText != model.countText || engine.toleranceText != model.toleranceText) {
        return "count or tolerance text";
    }
    if (engine.reportText != model.reportText) {
        return "report text";
    }
    return {};
}

} // namespace tarvex
