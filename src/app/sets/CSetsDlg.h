#pragma once

#include "app/sets/SetsDlgState.h"
#include "history/SetRecord.h"
#include "io/SetMember.h"
#include "numbersets/SetCombination.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CHistoryBar;
class CSetRecordStrip;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

// 多方案: several schemes, number files and the current result combined (交集, 并集, 差集,
// 至少 k 个), how many members hold each number, and 大底走势: how a set has fared draw by draw.
class CSetsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultDraws = 100;

    // The main window's result box: read for 当前结果, written by 放入结果框 (false when the
    // window refused it, after its own message).
    using ReadResult = std::function<std::string()>;
    using PutResult = std::function<bool(const std::string&)>;

    using State = SetsDlgState;

    CSetsDlg(ReadResult readResult, PutResult putResult, QWidget* parent = nullptr,
             State state = {});

    State Kept() const;

    // Adds the file as a member; a file that gives no numbers is named in a message and
    // left out.
    bool AddMember(const QString& path);
    void AddCurrentResult();
    void RemoveMember(int index);
    const std::vector<tarvex::SetMember>& Members() const { return m_members; }
    const tarvex::SetCombination& Combination() const { return m_combination; }
    // 放入结果框: the combined set into the main window's result box as a 大底.
    bool PutIntoResult();

    bool LoadHistory(const QString& path);
    // 大底走势 of the subject chosen: 0 the combined result, i the i-th member.
    void ShowRecord();
    const tarvex::SetRecord& Record() const { return m_record; }

    QListWidget* MemberList() const { return m_memberList; }
    QComboBox* Operation() const { return m_operation; }
    QSpinBox* K() const { return m_k; }
    QCheckBox* Tolerance() const { return m_tolerance; }
    QLabel* Summary() const { return m_summary; }
    QTableWidget* Holders() const { return m_holders; }
    QComboBox* RecordSubject() const { return m_subject; }
    QSpinBox* RecordDraws() const;
    CHistoryBar* HistoryBar() const { return m_historyBar; }
    QLabel* RecordFigures() const { return m_figures; }
    CSetRecordStrip* Strip() const { return m_strip; }

private:
    QWidget* BuildMembers();
    QWidget* BuildRecord();
    void OnAddScheme();
    void OnAddNumberFile();
    void OnRemove();
    void OnToleranceChanged();
    void Restore(State state);
    void Append(tarvex::SetMember member);
    void Combine();
    void ShowMembers();
    void ShowCombination();
    void FillHolders();
    void FillSubjects();
    tarvex::SetRecord RecordOfSubject(std::size_t last) const;
    void ShowFigures();

    ReadResult m_readResult;
    PutResult m_putResult;
    std::vector<tarvex::SetMember> m_members;
    tarvex::SetCombination m_combination;
    tarvex::SetRecord m_record;

    QListWidget* m_memberList = nullptr;
    QComboBox* m_operation = nullptr;
    QSpinBox* m_k = nullptr;
    QCheckBox* m_tolerance = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_holders = nullptr;
    QPushButton* m_put = nullptr;
    CHistoryBar* m_historyBar = nullptr;
    QComboBox* m_subject = nullptr;
    QLabel* m_figures = nullptr;
    CSetRecordStrip* m_strip = nullptr;
};
