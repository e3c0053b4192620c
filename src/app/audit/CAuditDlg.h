#pragma once

#include "history/RandomnessAudit.h"

#include <QDialog>
#include <QStringList>

class CAuditChart;
class CHistoryBar;
class QLabel;
class QTableWidget;

// 随机性检验: whether the draws of a history, all or the newest N, differ from fair draws at
// all — every test with its statistic, p-value and Holm-corrected p-value, a line of plain
// words above them, and for the selected test its classes observed against expected.
class CAuditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAuditDlg(QWidget* parent = nullptr);

    // The files and window another window works on (号码分析), read unless already loaded.
    void UseHistory(const QStringList& paths, std::size_t last);
    void RunTests();

    CHistoryBar* HistoryBar() const { return m_historyBar; }
    QTableWidget* Table() const { return m_table; }
    QLabel* Summary() const { return m_summary; }
    CAuditChart* Chart() const { return m_chart; }
    const tarvex::RandomnessAudit& Audit() const { return m_audit; }

private:
    void BuildControls();
    void ShowAudit();
    void OnRowSelected();

    tarvex::RandomnessAudit m_audit;
    CHistoryBar* m_historyBar = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    CAuditChart* m_chart = nullptr;
};
