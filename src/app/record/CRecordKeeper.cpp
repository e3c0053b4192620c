#include "app/record/CRecordKeeper.h"

#include "app/record/RecordHistory.h"
#include "framework/Platform.h"
#include "history/IssueNumber.h"
#include "io/PredictionRecord.h"
#include "io/PredictionTarget.h"

#include <QDate>
#include <QDateTime>

namespace {

const QString kSection = QStringLiteral("Record");
const QString kEntry = QStringLiteral("keep");
const QString kTargetEntry = QStringLiteral("target");
const QString kHeldEntry = QStringLiteral("targetAfter");

bool IsIssue(const std::string& issue) {
    return (issue.size() == 5 || issue.size() == 7) && tarvex::IssueNumber::Split(issue);
}

} // namespace

CRecordKeeper::CRecordKeeper()
    : m_enabled(Platform().ReadProfileString(kSection, kEntry, QStringLiteral("1")) !=
                QStringLiteral("0")) {}

void CRecordKeeper::SetEnabled(bool enabled) {
    m_enabled = enabled;
    Platform().WriteProfileString(kSection, kEntry,
                                  enabled ? QStringLiteral("1") : QStringLiteral("0"));
}

std::string CRecordKeeper::Target(const std::vector<tarvex::HistoricDraw>& draws) {
    const std::string newest = tarvex::PredictionTarget::Newest(draws);
    const std::string set = Platform().ReadProfileString(kSection, kTargetEntry, {}).toStdString();
    const std::string after = Platform().ReadProfileString(kSection, kHeldEntry, {}).toStdString();
    if (!newest.empty() && after == newest && IsIssue(set))
        return set;
    return tarvex::PredictionTarget::Next(draws, QDate::currentDate());
}

bool CRecordKeeper::SetTarget(const std::string& issue,
                              const std::vector<tarvex::HistoricDraw>& draws) {
    if (!IsIssue(issue))
        return false;
    Platform().WriteProfileString(kSection, kTargetEntry, QString::fromStdString(issue));
    Platform().WriteProfileString(kSection, kHeldEntry,
                                  QString::fromStdString(tarvex::PredictionTarget::Newest(draws)));
    return true;
}

CRecordKeeper::Status CRecordKeeper::KeepKill(const tarvex::Settings& settings,
                                              const std::vector<int>& survivors) {
    return Keep(settings, survivors, 0, nullptr);
}

CRecordKeeper::Status CRecordKeeper::KeepTolerance(const tarvex::Settings& settings,
                                                   const std::vector<int>& survivors, int level,
                                                   const std::vector<std::string>& list) {
    return Keep(settings, survivors, level, &list);
}

CRecordKeeper::Status CRecordKeeper::Keep(const tarvex::Settings& settings,
                                          const std::vector<int>& survivors, int level,
                                          const std::vector<std::string>* list) {
    if (!m_enabled)
        return {};
    const std::vector<tarvex::HistoricDraw>& draws = RecordHistory::Draws();
    const std::string issue = Target(draws);
    if (issue.empty()) {
        return {true, QStringLiteral("预测未记录"),
                QStringLiteral("预测没有记录：读不到开奖历史“%1”，不知道下一期的期号")
                    .arg(RecordHistory::Path())};
    }
    tarvex::PredictionEntry entry = tarvex::PredictionRecord::Make(
        QDateTime::currentDateTime(), tarvex::PredictionTarget::k3D, issue,
        tarvex::PredictionTarget::Newest(draws), settings, survivors);
    if (list)
        tarvex::PredictionRecord::AddTolerance(entry, level, *list);
    const QString failure = tarvex::PredictionRecord::Append(RecordHistory::RecordPath(), entry);
    if (!failure.isEmpty())
        return {true, QStringLiteral("预测未记录"), failure};
    const QString shown = QString::fromStdString(issue);
    return {false, QStringLiteral("已记录预测"),
            QStringLiteral("已把这次结果记为第 %1 期的预测：%2")
                .arg(shown, RecordHistory::RecordPath())};
}
