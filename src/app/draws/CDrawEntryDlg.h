#pragma once

#include "io/PlayerHistory.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// 录入开奖号码: the player adds draws to his own history one after another, or pastes a block
// (also a table copied from a web page), sees what it would add, hold and refuse, and adds it.
class CDrawEntryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDrawEntryDlg(QWidget* parent = nullptr, const QString& folder = {});

    QString HistoryPath() const;
    // Adds the typed draw; false (after a message) when it is not a draw or is refused.
    bool OnAdd();
    // Shows what the pasted block would do.
    void OnPreview();
    // Adds what the pasted block adds, after the preview.
    bool OnAddPasted();

    QComboBox* Lottery() const { return m_lottery; }
    QLineEdit* Issue() const { return m_issue; }
    QLineEdit* Date() const { return m_date; }
    QLineEdit* Number() const { return m_number; }
    QLineEdit* Trial() const { return m_trial; }
    QPlainTextEdit* Pasted() const { return m_pasted; }
    QLabel* Preview() const { return m_preview; }
    QLabel* Status() const { return m_status; }
    QPushButton* AddPastedButton() const { return m_addPasted; }

private:
    void BuildControls();
    void OnLotteryChosen();
    void OnIssueEdited(const QString& issue);
    // Made from the shipped history when a draw is about to go in; false after a message.
    bool EnsureHistory();
    // The player's history of the lottery, or the shipped one while he has none.
    tarvex::PlayerHistoryFile ReadHistory() const;
    // The next 期号 and its date after the newest draw held.
    void PrepareNext();
    tarvex::Lottery Chosen() const;

    QString m_folder;
    QComboBox* m_lottery = nullptr;
    QLineEdit* m_issue = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_trial = nullptr;
    QPushButton* m_add = nullptr;
    QPlainTextEdit* m_pasted = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_addPasted = nullptr;
    QLabel* m_status = nullptr;
    std::vector<tarvex::HistoricDraw> m_pastedDraws;
    QString m_nextIssue, m_nextDate; // as pre-filled
};
