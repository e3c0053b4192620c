#pragma once

#include "engine/HistoricDraw.h"
#include "engine/Rule.h"
#include "history/FormulaSearch.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

// 搜索公式: searches the formulas of one target on a training segment and shows how the best
// fare on a check segment they were not chosen on, beside what the same search finds on a
// shuffled history; 加入规则 hands the chosen formulas to the 公式杀号 window.
class CFormulaSearchDlg : public QDialog {
    Q_OBJECT
public:
    using AddFn = std::function<void(const tarvex::Rule&)>;

    CFormulaSearchDlg(const std::vector<tarvex::HistoricDraw>& history, int last,
                      tarvex::RuleTarget target, AddFn add, QWidget* parent = nullptr);

    // Runs the search off the window's thread; false when cancelled or refused.
    bool Search();
    // Adds the chosen rows as rules; the number added.
    int OnAddRules();

    QComboBox* Target() const { return m_target; }
    QSpinBox* Terms() const { return m_terms; }
    QSpinBox* Window() const { return m_last; }
    QSpinBox* Check() const { return m_check; }
    QSpinBox* Top() const { return m_top; }
    QTableWidget* Table() const { return m_table; }
    QLabel* Baseline() const { return m_baseline; }
    QLabel* Status() const { return m_status; }
    const tarvex::FormulaSearchResult& Result() const { return m_result; }

private:
    void BuildControls();
    void FillTable();

    const std::vector<tarvex::HistoricDraw>& m_history;
    AddFn m_add;
    tarvex::FormulaSearchResult m_result;
    tarvex::RuleTarget m_searched = tarvex::RuleTarget::SumTail;

    QComboBox* m_target = nullptr;
    QSpinBox* m_terms = nullptr;
    QSpinBox* m_last = nullptr;
    QSpinBox* m_check = nullptr;
    QSpinBox* m_top = nullptr;
    QLabel* m_baseline = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
};
