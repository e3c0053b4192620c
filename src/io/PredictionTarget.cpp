#include "io/PredictionTarget.h"

#include "history/IssueNumber.h"

#include <QFileInfo>

namespace tarvex {

std::string PredictionTarget::LotteryOf(const QString& historyPath) {
    const QString name = QFileInfo(historyPath).fileName();
    const bool permutation = name.contains(QString::fromUtf8(kPermutation3)) ||
                             name.startsWith(QStringLiteral("pl3"), Qt::CaseInsensitive);
    return permutation ? kPermutation3 : k3D;
}

std::string PredictionTarget::Next(const std::vector<HistoricDraw>& draws, const QDate& today) {
    if (draws.empty()) {
        return {};
    }
    const HistoricDraw& newest = draws.back();
    return IssueNumber::Next(newest.issue, newest.date, today.toString(Qt::ISODate).toStdString());
}

std::string PredictionTarget::Newest(const std::vector<HistoricDraw>& draws) {
    return draws.empty() ? std::string() : draws.back().issue;
}

} // namespace tarvex
