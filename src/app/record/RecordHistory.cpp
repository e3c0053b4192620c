#include "app/record/RecordHistory.h"

#include "app/shared/WindowHistory.h"
#include "io/DrawHistory.h"
#include "io/PlayerHistory.h"
#include "io/PredictionRecord.h"
#include "io/PredictionTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {

std::vector<tarvex::HistoricDraw> Quietly(const QString& path) {
    if (path.isEmpty())
        return {};
    tarvex::DrawHistoryResult history = tarvex::DrawHistory::Load(path);
    return history.ok() ? std::move(history.draws) : std::vector<tarvex::HistoricDraw>{};
}

} // namespace

QString RecordHistory::Path() {
    return tarvex::PlayerHistory::Followed(tarvex::Lottery::Fc3d);
}

// Each 杀组合 and 容错 asks: the file is read again only when it has changed.
const std::vector<tarvex::HistoricDraw>& RecordHistory::Draws() {
    static QString s_path, s_stamp;
    static std::vector<tarvex::HistoricDraw> s_draws;
    const QString path = Path();
    const QString stamp = WindowHistory::Stamp({path});
    if (path != s_path || stamp != s_stamp) {
        s_draws = Quietly(path);
        s_path = path;
        s_stamp = stamp;
    }
    return s_draws;
}

std::map<std::string, std::vector<tarvex::HistoricDraw>> RecordHistory::AllLotteries() {
    std::map<std::string, std::vector<tarvex::HistoricDraw>> all;
    all[tarvex::PredictionTarget::k3D] = Draws();
    const QString permutation = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Pl3);
    if (QFileInfo::exists(permutation))
        all[tarvex::PredictionTarget::kPermutation3] = Quietly(permutation);
    return all;
}

QString RecordHistory::RecordPath() {
    return QDir::current().absoluteFilePath(tarvex::PredictionRecord::FileName());
}
