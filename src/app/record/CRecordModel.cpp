#include "app/record/CRecordModel.h"

#include "engine/RunText.h"

namespace {

QString Mark(bool known, bool hit) {
    return known ? (hit ? QStringLiteral("中") : QStringLiteral("错")) : QString();
}

// "2026-08-21T20:00:00+08:00" as a player reads it: "2026-08-21 20:00".
QString ShortTime(const std::string& time) {
    QString text = QString::fromStdString(time.substr(0, 16));
    if (text.size() > 10 && text[10] == u'T')
        text[10] = u' ';
    return text;
}

} // namespace

void CRecordModel::Show(const std::vector<tarvex::PredictionEntry>& entries,
                        const std::vector<tarvex::PredictionOutcome>& outcomes,
                        const std::vector<std::size_t>& rows) {
    beginResetModel();
    m_entries = &entries;
    m_outcomes = &outcomes;
    m_rows = rows;
    endResetModel();
}

int CRecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CRecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CRecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const std::size_t i = m_rows[static_cast<std::size_t>(index.row())];
    const tarvex::PredictionEntry& e = (*m_entries)[i];
    if (role == Qt::ToolTipRole)
        return index.column() == kTime ? QString::fromStdString(e.time) : QVariant();
    return Text(e, (*m_outcomes)[i], index.column());
}

QString CRecordModel::Text(const tarvex::PredictionEntry& e, const tarvex::PredictionOutcome& o,
                           int column) const {
    const tarvex::Prediction& p = e.prediction;
    switch (column) {
    case kTime:
        return ShortTime(e.time);
    case kLottery:
        return QString::fromStdString(p.lottery);
    case kIssue:
        return QString::fromStdString(p.issue);
    case kCount:
        return QString::number(p.count);
    case kWinning:
        return o.checked ? QString::fromStdString(tarvex::CandidateText(o.winning)) : QString();
    case kKill:
        return Mark(o.checked, o.hit);
    case kTolerance:
        return Mark(o.checked && p.toleranceLevel > 0, o.toleranceHit);
    default: {
        QStringList marks;
        if (o.late)
            marks << QStringLiteral("事后");
        if (p.edited)
            marks << QStringLiteral("已改动");
        return marks.join(u' ');
    }
    }
}

QVariant CRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kTitles[kColumns] = {"时间",   "彩种", "期号", "注数",
                                                  "开奖号", "杀号", "容错", "标记"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(kTitles[section]);
}
