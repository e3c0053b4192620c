#pragma once

#include "engine/HistoricDraw.h"
#include "history/PredictionCheck.h"
#include "history/PredictionFigures.h"
#include "io/PredictionRecord.h"

#include <QDialog>

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QTableWidget;
class CRecordModel;
class CHistoryWatch;

// 预测记录: the kept predictions checked against the draws, the live figures beside chance
// and beside the backtest of the same schemes, a filter by scheme, and a selected entry's
// conditions and survivors.
class CRecordDlg : public QDialog {
    Q_OBJECT
public:
    CRecordDlg(const QString& recordPath,
               std::map<std::string, std::vector<tarvex::HistoricDraw>> histories,
               QWidget* parent = nullptr);

    QTableView* Table() const { return m_table; }
    QTableWidget* Figures() const { return m_figures; }
    QComboBox* SchemeFilter() const { return m_scheme; }
    QLineEdit* TargetIssue() const { return m_target; }
    QPlainTextEdit* Detail() const { return m_detail; }
    QLabel* Notes() const { return m_notes; }
    // Checks again, and names the coming draw again, whenever the histories the record follows
    // (RecordHistory) change while the window is open.
    void FollowHistories();
    // Esc and the close button drop a 期号 typed but not confirmed.
    void done(int result) override;
    // The entry a table row shows.
    const tarvex::PredictionEntry& EntryAt(int row) const;
    const tarvex::PredictionSummary& Summary() const { return m_summary; }
    const tarvex::PredictionFigures& Backtest() const { return m_backtest; }
    bool BacktestCancelled() const { return m_backtestCancelled; }

private:
    void BuildControls();
    void FillSchemes();
    void Refresh();
    void FillTable();
    void FillFigures();
    void ShowDetail();
    void OnTarget();
    void Check();
    void OnHistoryLook();
    const std::vector<tarvex::HistoricDraw>& Draws3D() const;

    QString m_recordPath;
    std::map<std::string, std::vector<tarvex::HistoricDraw>> m_histories;
    tarvex::PredictionRecordRead m_record;
    tarvex::PredictionRefs m_predictions;
    std::vector<tarvex::PredictionOutcome> m_outcomes;
    std::vector<bool> m_keep;
    std::vector<std::size_t> m_rows; // entry index of each table row
    tarvex::PredictionSummary m_summary;
    tarvex::PredictionFigures m_backtest;
    bool m_backtestCancelled = false; // the player stopped it: its row says so, no figures

    QComboBox* m_scheme = nullptr;
    QLineEdit* m_target = nullptr;
    QLabel* m_notes = nullptr;
    QTableView* m_table = nullptr;
    CRecordModel* m_model = nullptr;
    QTableWidget* m_figures = nullptr;
    QPlainTextEdit* m_detail = nullptr;
    CHistoryWatch* m_watch = nullptr;
    QString m_historyStamp;
    bool m_closing = false;
};
