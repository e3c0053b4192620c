#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "pages/ReportListRows.h"

#include <QComboBox>
#include <QTableWidget>

// 出数 holds the digits of the checked count boxes in ascending order.
void CMainDialog::OnAddMatch() {
    // A refused control has been reported; the boxes after it were not read.
    if (!UpdateData(true))
        return;
    QString counts;
    for (int k = 0; k < 4; ++k) {
        if (m_bMatchCount[k])
            counts += QString::number(k);
    }
    if (m_strMatchDigits.isEmpty() || counts.isEmpty())
        return;
    ReportListRows::InsertTop(DlgItem<QTableWidget>(MainIds::kMatchList),
                              {m_strMatchDigits, counts});
}

void CMainDialog::OnDeleteMatch() {
    ReportListRows::DeleteFirstSelected(DlgItem<QTableWidget>(MainIds::kMatchList));
}

void CMainDialog::OnAddPositionSize() {
    if (!UpdateData(true))
        return;
    const QStringList cells{DlgItem<QComboBox>(MainIds::kPositionSizeLeft)->currentText(),
                            DlgItem<QComboBox>(MainIds::kPositionSizeRelation)->currentText(),
                            DlgItem<QComboBox>(MainIds::kPositionSizeRight)->currentText()};
    for (const QString& cell : cells) {
        if (cell.isEmpty())
            return;
    }
    ReportListRows::InsertTop(DlgItem<QTableWidget>(MainIds::kPositionSizeList), cells);
}

void CMainDialog::OnDeletePositionSize() {
    ReportListRows::DeleteFirstSelected(DlgItem<QTableWidget>(MainIds::kPositionSizeList));
}

std::vector<tarvex::MatchRow> CMainDialog::MatchRows() const {
    std::vector<tarvex::MatchRow> rows;
    for (const QStringList& cells :
         ReportListRows::Rows(DlgItem<QTableWidget>(MainIds::kMatchList)))
        rows.push_back({cells.value(0).toStdString(), cells.value(1).toStdString()});
    return rows;
}

std::vector<tarvex::PositionSizeRow> CMainDialog::PositionSizeRows() const {
    std::vector<tarvex::PositionSizeRow> rows;
    for (const QStringList& cells :
         ReportListRows::Rows(DlgItem<QTableWidget>(MainIds::kPositionSizeList))) {
        rows.push_back({cells.value(0).toStdString(), cells.value(1).toStdString(),
                        cells.value(2).toStdString()});
    }
    return rows;
}

void CMainDialog::SetMatchRows(const std::vector<tarvex::MatchRow>& rows) {
    QList<QStringList> cells;
    for (const tarvex::MatchRow& row : rows)
        cells << QStringList{QString::fromStdString(row.numbers),
                             QString::fromStdString(row.counts)};
    ReportListRows::SetRows(DlgItem<QTableWidget>(MainIds::kMatchList), cells);
}

void CMainDialog::SetPositionSizeRows(const std::vector<tarvex::PositionSizeRow>& rows) {
    QList<QStringList> cells;
    for (const tarvex::PositionSizeRow& row : rows) {
        cells << QStringList{QString::fromStdString(row.left),
                             QString::fromStdString(row.comparison),
                             QString::fromStdString(row.right)};
    }
    ReportListRows::SetRows(DlgItem<QTableWidget>(MainIds::kPositionSizeList), cells);
}

// The match filter reads the copies the run takes of the list's two columns.
void CMainDialog::RefillMatchLists() {
    m_matchNumbers.clear();
    m_matchCounts.clear();
    for (const QStringList& cells :
         ReportListRows::Rows(DlgItem<QTableWidget>(MainIds::kMatchList))) {
        m_matchNumbers << cells.value(0);
        m_matchCounts << cells.value(1);
    }
}
