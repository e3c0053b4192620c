#pragma once

#include "history/TrendTable.h"

#include <QAbstractTableModel>
#include <QColor>

// The 走势图 as a table model: one row per draw, oldest first, and the cells made only when
// the view asks for them, so the whole history scrolls without a widget per cell.
class CTrendModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kIssueColumn = 0;
    static constexpr int kNumberColumn = 1;
    static constexpr int kFirstDigitColumn = 2; // 百0; 十0 at +10, 个0 at +20
    static constexpr int kSumColumn = 32;
    static constexpr int kSpanColumn = 33;
    static constexpr int kShapeColumn = 34;
    static constexpr int kColumnCount = 35;
    // Shown after 形态 when some draw of the history gives its 试机号.
    static constexpr int kTrialColumn = 35;

    explicit CTrendModel(tarvex::TrendTable table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: the digit where it was drawn, else its omission; background marks the drawn
    // digit in its position's colour.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const tarvex::TrendTable& Table() const { return m_table; }
    // The colour a drawn digit of the position (0 百, 1 十, 2 个) is shown on.
    static QColor DrawnColour(int position);

private:
    QVariant Display(const tarvex::TrendRow& row, int column) const;
    QVariant Background(const tarvex::TrendRow& row, int column) const;

    tarvex::TrendTable m_table;
    bool m_hasTrial = false;
};
