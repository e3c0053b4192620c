#pragma once

#include "framework/CDialog.h"

#include "engine/Backtest.h"
#include "history/Analysis.h"

#include <array>
#include <vector>

class QTableWidget;

// The analysis window "基本分析", opened from the window menu (button 1230 stays hidden): each
// of the ten skinned buttons runs its analysis over the last N draws (combo 1235) of a history
// file, fills the sortable table below the classic controls and shows the text in edit 1027.
class CAnalysisDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 139;
    static constexpr int kWidth = 298;  // dialog units
    static constexpr int kHeight = 356; // grown downward for the history row and table
    static constexpr std::array<int, 10> kAnalysisButtons = {1227, 1228, 1229, 1217, 1218,
                                                             1219, 1220, 1221, 1222, 1234};

    static constexpr int kHistoryButton = 1300; // "开奖历史…", beside 确定/取消

    explicit CAnalysisDlg(QWidget* parent = nullptr);

    // Reads a history file and remembers it in the profile; false after a message.
    bool LoadHistory(const QString& path);
    void RunAnalysis(tarvex::AnalysisKind kind);
    // The draw count combo 1235 asks for; 0 is all.
    std::size_t LastDraws();

    QTableWidget* Table() const { return m_table; }
    const tarvex::Analysis& Current() const { return m_analysis; }
    const std::vector<tarvex::HistoricDraw>& History() const { return m_history; }
    // The history file shown when the dialog opens: the one used last, else the shipped sample.
    static QString DefaultHistoryPath();

protected:
    bool OnInitDialog() override;

private:
    void CreateAnalysisButtons();
    void CreateHistoryAndTable();
    void OnChooseHistory();
    void FillOmissionTable();
    void FillDanTable();

    std::vector<tarvex::HistoricDraw> m_history;
    tarvex::Analysis m_analysis;
    QTableWidget* m_table = nullptr;
};
