#pragma once

#include "engine/Backtest.h"
#include "engine/Settings.h"
#include "history/RuleBacktest.h"

#include <QDialog>

class CChanceTable;
class CHistoryBar;
class CKillRateChart;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

// 历史回测: how the window's current scheme would have fared on past draws.
class CBacktestDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultDraws = 30;

    CBacktestDlg(const tarvex::Settings& settings, int level, QWidget* parent = nullptr);

    // Reads a history file; a file with nothing readable keeps the history already loaded.
    bool LoadHistory(const QString& path);
    void RunBacktest();
    // Writes the table as GBK text with CR LF; false after a message when it could not.
    bool ExportTo(const QString& path);

    QTableWidget* Table() const { return m_table; }
    CKillRateChart* Chart() const { return m_chart; }
    QSpinBox* DrawCount() const { return m_last; }
    const std::vector<tarvex::HistoricDraw>& History() const;
    const tarvex::BacktestResult& Result() const { return m_result; }
    // The draw-by-draw backtest of a scheme with rules; empty for a scheme without.
    const tarvex::RuleBacktestResult& RuleResult() const { return m_ruleResult; }
    QLabel* Summary() const { return m_summary; }
    CChanceTable* ChanceTable() const { return m_chance; }
    // "最新的在前": the table lists the newest draw first.
    QCheckBox* NewestFirst() const { return m_newestFirst; }

private:
    void BuildControls();
    void OnExport();
    void ShowResult();
    void FillTable();
    void RunRuleBacktest();
    void ShowRuleResult();
    void FillRuleTable();
    void ShowChance(const std::vector<tarvex::BacktestCondition>& conditions,
                    const std::vector<tarvex::BacktestSpan>& spans, int draws);
    void OnOrderChanged();
    // The draw shown in a table row: the oldest first, or the newest with 最新的在前.
    std::size_t DrawAt(int row, std::size_t draws) const;
    static QTableWidgetItem* ReasonItem(const QString& text);

    tarvex::Settings m_settings;
    int m_level;
    tarvex::BacktestResult m_result;
    bool m_haveResult = false;
    tarvex::RuleBacktestResult m_ruleResult;
    bool m_haveRuleResult = false;

    CHistoryBar* m_historyBar = nullptr;
    QSpinBox* m_last = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_export = nullptr;
    QCheckBox* m_newestFirst = nullptr;
    QLabel* m_summary = nullptr;
    CChanceTable* m_chance = nullptr;
    QTableWidget* m_table = nullptr;
    CKillRateChart* m_chart = nullptr;
};
