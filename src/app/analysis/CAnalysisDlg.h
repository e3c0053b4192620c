#pragma once

#include "framework/CDialog.h"

#include "engine/HistoricDraw.h"
#include "history/Analysis.h"
#include "history/ItemConditionApply.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CAuditDlg;
class CHistoryBar;
class COmissionChart;
class CTrendDlg;
class QMenu;
class QPushButton;
class QTableWidget;

// The analysis window "基本分析", opened from the window menu (button 1230 stays hidden): each
// of the ten skinned buttons runs its analysis over the last N draws (combo 1235) of a history
// file, fills the sortable table below the classic controls and shows the text in edit 1027.
// A row's item becomes a condition of the main window through the row's menu or 添加.
class CAnalysisDlg : public CDialog {
    Q_OBJECT
public:
    // Hands an item's 杀 or 胆 to the main window, which knows its controls; false when the
    // window could not take it (it has said why).
    using ApplyFn = std::function<bool(const tarvex::ItemCondition&, tarvex::ItemAction)>;

    static constexpr int kWidth = 298;  // dialog units
    static constexpr int kHeight = 472; // grown downward for the history rows, table and chart
    static constexpr std::array<int, 10> kAnalysisButtons = {1227, 1228, 1229, 1217, 1218,
                                                             1219, 1220, 1221, 1222, 1234};

    static constexpr int kHistoryButton = 1300; // "开奖历史…", beside 确定/取消
    static constexpr int kTextId = 1027;        // the analysis as text
    static constexpr int kDrawsId = 1235;       // combo: 1, 2 or 全部
    static constexpr int kSecondDrawsId = 1236; // combo: 1, 2 or 全部
    static constexpr int kActionId = 1237;      // combo: 杀 or 胆
    static constexpr int kItemId = 1238;        // combo: the item of the analysis
    static constexpr int kAnalysisId = 1239;    // combo: which analysis
    static constexpr int kTargetId = 1029;      // edit: the main window's control it goes to
    static constexpr int kAddId = 1240;         // 添加

    explicit CAnalysisDlg(QWidget* parent = nullptr, ApplyFn apply = {});

    // Reads a history file and remembers it in the profile; false after a message.
    bool LoadHistory(const QString& path);
    // 加入文件…: the file read together with those loaded; false after a message, and then
    // the loaded history stays as it was.
    bool AddHistoryFile(const QString& path);
    const QStringList& HistoryPaths() const;
    // 走势图…: the trend window over the same draws as the analyses; false after a message.
    bool OpenTrend();
    CTrendDlg* TrendWindow() const;
    // 随机性检验…: whether these draws differ from fair ones at all; false after a message.
    bool OpenAudit();
    CAuditDlg* AuditWindow() const;
    QPushButton* AuditButton() const { return m_auditButton; }
    COmissionChart* Chart() const { return m_chart; }
    void RunAnalysis(tarvex::AnalysisKind kind);
    // The draw count combo 1235 asks for; 0 is all.
    std::size_t LastDraws();

    QTableWidget* Table() const { return m_table; }
    const tarvex::Analysis& Current() const { return m_analysis; }
    const std::vector<tarvex::HistoricDraw>& History() const;
    CHistoryBar* HistoryBar() const { return m_historyBar; }
    QPushButton* AddFileButton() const { return m_addFile; }
    QPushButton* TrendButton() const { return m_trendButton; }
    // The 杀/胆 menu of a table row (in the shown order); an action the item does not allow,
    // or any when there is no main window to take it, is disabled.
    std::unique_ptr<QMenu> RowMenu(int tableRow);
    // Hands the item of a table row to the main window; false when it allows no such action
    // or the window did not take it.
    bool ApplyRow(int tableRow, tarvex::ItemAction action);
    // 添加: the action of combo 1237 for the item of combo 1238.
    void OnAdd();

    // The history file shown when the dialog opens (WindowHistory::StartPath).
    static QString DefaultHistoryPath();

protected:
    bool OnInitDialog() override;
    // The classic controls keep their places; the table and the chart take what the window
    // grows by.
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateAnalysisButtons();
    void CreateHistoryAndTable();
    void CreateExtraButtons();
    void OnHistoryChanged();
    void FillOmissionTable();
    void FillDanTable();
    void FitColumns();
    void PlaceGrowingControls();

    // 杀/胆 from a row (CAnalysisDlgConditions.cpp)
    void SetUpConditionControls();
    void FillConditionCombos();
    void OnRowMenuRequested(const QPoint& pos);
    void OnRowSelected();
    void OnAnalysisChosen(int index);
    void ShowConditionPreview();
    const tarvex::OmissionRow* RowOfTable(int tableRow) const;
    bool Apply(const tarvex::OmissionRow& row, tarvex::ItemAction action);

    CHistoryBar* m_historyBar = nullptr;
    QPushButton* m_addFile = nullptr;
    QPushButton* m_trendButton = nullptr;
    tarvex::Analysis m_analysis;
    QTableWidget* m_table = nullptr;
    COmissionChart* m_chart = nullptr;
    QPointer<CTrendDlg> m_trend;
    QPushButton* m_auditButton = nullptr;
    QPointer<CAuditDlg> m_audit;
    ApplyFn m_apply;
};
