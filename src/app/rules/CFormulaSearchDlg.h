#pragma once

#include "app/rules/FormulaSearchMemory.h"
#include "engine/HistoricDraw.h"
#include "engine/Rule.h"
#include "history/FormulaSearch.h"

#include <QDialog>

#include <functional>
#include <memory>
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

    // A memory of an earlier opening gives the controls and the table back; without one the
    // window starts with the target and window given.
    CFormulaSearchDlg(const std::vector<tarvex::HistoricDraw>& history, int last,
                      tarvex::RuleTarget target, AddFn add, QWidget* parent = nullptr,
                      std::shared_ptr<FormulaSearchMemory> memory = {});

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
    // What the table holds: its target and settings, and whether they still are the ones set.
    QLabel* TableNote() const { return m_tableNote; }
    bool TableIsStale() const;

    void done(int result) override;
    const tarvex::FormulaSearchResult& Result() const { return m_memory->result; }

private:
    void BuildControls();
    void FillTable();
    tarvex::FormulaSearchOptions Options() const;
    void SetOptions(const tarvex::FormulaSearchOptions& options);
    void ShowTableNote();

    const std::vector<tarvex::HistoricDraw>& m_history;
    AddFn m_add;
    std::shared_ptr<FormulaSearchMemory> m_memory;

    QComboBox* m_target = nullptr;
    QSpinBox* m_terms = nullptr;
    QSpinBox* m_last = nullptr;
    QSpinBox* m_check = nullptr;
    QSpinBox* m_top = nullptr;
    QLabel* m_baseline = nullptr;
    QLabel* m_tableNote = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
};
