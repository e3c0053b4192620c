#pragma once

#include "engine/HistoricDraw.h"
#include "engine/Rule.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CHistoryBar;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// 公式杀号: the player composes kill rules and sees each one judged against chance on a
// history; 应用到下期 hands the rules' next values to the main window.
struct FormulaSearchMemory;

class CRuleDlg : public QDialog {
    Q_OBJECT
public:
    // Called by 应用到下期 with the rules and their values for the coming draw.
    using ApplyFn = std::function<void(const std::vector<tarvex::Rule>&, const std::vector<int>&)>;

    // `searchMemory` keeps 搜索公式's settings and table from one opening to the next.
    CRuleDlg(const std::vector<tarvex::Rule>& rules, ApplyFn apply, QWidget* parent = nullptr,
             std::shared_ptr<FormulaSearchMemory> searchMemory = {});

    bool LoadHistory(const QString& path);
    // Judges the rules over the chosen window; false after a message when a formula is bad.
    bool Judge();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnApplyNext();
    // 搜索公式…: the formula search over this window's history; its 加入规则 adds here.
    void OnSearchFormulas();

    const std::vector<tarvex::Rule>& Rules() const { return m_rules; }
    QTableWidget* Table() const { return m_table; }
    QComboBox* Target() const { return m_target; }
    QLineEdit* Formula() const { return m_formula; }
    QComboBox* Variables() const { return m_variables; }
    QSpinBox* DrawCount() const;
    QLabel* Status() const { return m_status; }

private:
    void BuildControls();
    void OnInsertVariable(int index);
    void OnRowChosen();
    std::optional<tarvex::Rule> EditedRule();
    void FillTable();

    std::vector<tarvex::Rule> m_rules;
    ApplyFn m_apply;
    std::shared_ptr<FormulaSearchMemory> m_searchMemory;
    std::vector<int> m_next; // each rule's value for the coming draw, after Judge

    CHistoryBar* m_historyBar = nullptr;
    QComboBox* m_target = nullptr;
    QLineEdit* m_formula = nullptr;
    QComboBox* m_variables = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
};
