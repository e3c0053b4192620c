#pragma once

#include "history/Prediction.h"
#include "io/PredictionEntry.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <vector>

// The rows of 预测记录's table, read from the dialog's entries as the view asks for them: a
// record of 100,000 entries would otherwise be 800,000 table items made up front.
class CRecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The table's columns, in order.
    enum Column { kTime, kLottery, kIssue, kCount, kWinning, kKill, kTolerance, kMarks, kColumns };

    explicit CRecordModel(QObject* parent) : QAbstractTableModel(parent) {}

    // Shows `rows` (indexes into `entries` and `outcomes`, which must outlive the next Show).
    void Show(const std::vector<tarvex::PredictionEntry>& entries,
              const std::vector<tarvex::PredictionOutcome>& outcomes,
              const std::vector<std::size_t>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString Text(const tarvex::PredictionEntry& e, const tarvex::PredictionOutcome& o,
                 int column) const;

    const std::vector<tarvex::PredictionEntry>* m_entries = nullptr;
    const std::vector<tarvex::PredictionOutcome>* m_outcomes = nullptr;
    std::vector<std::size_t> m_rows;
};
