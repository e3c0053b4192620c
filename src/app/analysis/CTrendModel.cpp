#include "app/analysis/CTrendModel.h"

#include <QBrush>
#include <QColor>

#include <utility>

namespace {

const char* const kPositions[] = {"百", "十", "个"};
const char* const kShapes[] = {"豹子", "组三", "组六"};

bool IsDigitColumn(int column) {
    return column >= CTrendModel::kFirstDigitColumn && column < CTrendModel::kSumColumn;
}
int PositionOf(int column) {
    return (column - CTrendModel::kFirstDigitColumn) / 10;
}
int DigitOf(int column) {
    return (column - CTrendModel::kFirstDigitColumn) % 10;
}

} // namespace

CTrendModel::CTrendModel(tarvex::TrendTable table, QObject* parent)
    : QAbstractTableModel(parent), m_table(std::move(table)) {
    for (std::size_t r = 0; r < m_table.size() && !m_hasTrial; ++r)
        m_hasTrial = !m_table[r].trial.empty();
}

int CTrendModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.size());
}

int CTrendModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount + (m_hasTrial ? 1 : 0);
}

QColor CTrendModel::DrawnColour(int position) {
    static const QColor colours[] = {QColor(200, 40, 40), QColor(40, 90, 200), QColor(30, 140, 60)};
    return colours[position >= 0 && position < 3 ? position : 0];
}

QVariant CTrendModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const tarvex::TrendRow& row = m_table[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Display(row, index.column());
    case Qt::BackgroundRole:
        return Background(row, index.column());
    case Qt::ForegroundRole:
        if (IsDigitColumn(index.column()) &&
            row.omission[PositionOf(index.column())][DigitOf(index.column())] == 0)
            return QBrush(Qt::white);
        return IsDigitColumn(index.column()) ? QBrush(QColor(150, 150, 150)) : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant CTrendModel::Display(const tarvex::TrendRow& row, int column) const {
    if (IsDigitColumn(column)) {
        const int omission = row.omission[PositionOf(column)][DigitOf(column)];
        return omission == 0 ? DigitOf(column) : omission;
    }
    switch (column) {
    case kIssueColumn:
        return QString::fromStdString(row.issue);
    case kNumberColumn:
        return QString::asprintf("%03d", row.number);
    case kSumColumn:
        return row.sum;
    case kSpanColumn:
        return row.span;
    case kShapeColumn:
        return row.shape >= 0 && row.shape < 3 ? QString::fromUtf8(kShapes[row.shape]) : QString();
    case kTrialColumn:
        return QString::fromStdString(row.trial);
    default:
        return {};
    }
}

// The drawn digit stands out in its position's colour; the middle position's columns are
// shaded so the three groups read apart.
QVariant CTrendModel::Background(const tarvex::TrendRow& row, int column) const {
    if (!IsDigitColumn(column))
        return {};
    const int position = PositionOf(column);
    if (row.omission[position][DigitOf(column)] == 0)
        return QBrush(DrawnColour(position));
    return position == 1 ? QBrush(QColor(240, 243, 250)) : QVariant();
}

QVariant CTrendModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (IsDigitColumn(section))
        return QString::fromUtf8(kPositions[PositionOf(section)]) +
               QString::number(DigitOf(section));
    switch (section) {
    case kIssueColumn:
        return QStringLiteral("期号");
    case kNumberColumn:
        return QStringLiteral("号码");
    case kSumColumn:
        return QStringLiteral("和值");
    case kSpanColumn:
        return QStringLiteral("跨度");
    case kShapeColumn:
        return QStringLiteral("形态");
    case kTrialColumn:
        return m_hasTrial ? QStringLiteral("试机号") : QVariant();
    default:
        return {};
    }
}
