#include "app/record/RecordHistory.h"

#include "app/shared/WindowHistory.h"
#include "io/DrawHistory.h"
#include "io/PredictionRecord.h"
#include "io/PredictionTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString InOutputFolder(const char* name) {
    return QDir::current().absoluteFilePath(QString::fromUtf8(name));
}

std::vector<tarvex::HistoricDraw> Quietly(const QString& path) {
    if (path.isEmpty())
        return {};
    tarvex::DrawHistoryResult history = tarvex::DrawHistory::Load(path);
    return history.ok() ? std::move(history.draws) : std::vector<tarvex::HistoricDraw>{};
}

} // namespace

QString RecordHistory::Path() {
    const QString own = InOutputFolder("3D开奖历史.txt");
    return QFileInfo::exists(own) ? own : WindowHistory::SampleHistoryPath();
}

std::vector<tarvex::HistoricDraw> RecordHistory::Draws() {
    return Quietly(Path());
}

std::map<std::string, std::vector<tarvex::HistoricDraw>> RecordHistory::AllLotteries() {
    std::map<std::string, std::vector<tarvex::HistoricDraw>> all;
    all[tarvex::PredictionTarget::k3D] = Draws();
    const QString permutation = InOutputFolder("排列3开奖历史.txt");
    if (QFileInfo::exists(permutation))
        all[tarvex::PredictionTarget::kPermutation3] = Quietly(permutation);
    return all;
}

QString RecordHistory::RecordPath() {
    return QDir::current().absoluteFilePath(tarvex::PredictionRecord::FileName());
}
