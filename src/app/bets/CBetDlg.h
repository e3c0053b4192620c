#pragma once

#include "app/bets/CBetSlip.h"
#include "engine/NumberSet.h"
#include "history/BetFigures.h"
#include "history/BetPlan.h"
#include "history/PrizeTable.h"
#include "history/Ticket.h"

#include <QDialog>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// 投注: a set of numbers played 直选, 组选 or 混合 at a 倍数: its tickets, 注数, cost, win
// chance, expected prize and return beside the cost as the expected loss, with the prize
// table the player keeps in the settings. 导出 writes the tickets as text, 打印成PDF a slip.
class CBetDlg : public QDialog {
    Q_OBJECT
public:
    using ReadResult = std::function<std::string()>;
    // lottery (3D, 排列3) → the 期号 a slip is for by default
    using NextIssues = std::map<std::string, std::string>;

    CBetDlg(ReadResult readResult, NextIssues nextIssues, QWidget* parent = nullptr);

    // The set played: the result box as it is now, or a number file or scheme (false, after
    // a message, when it gives no numbers).
    void UseResult();
    bool UseFile(const QString& path);
    bool Export(const QString& path, bool utf8);
    bool PrintPdf(const QString& path);

    const tarvex::BetFigures& Figures() const { return m_figures; }
    const std::vector<tarvex::Ticket>& Tickets() const { return m_tickets; }
    tarvex::PrizeTable Prizes() const;
    CBetSlip Slip() const;

private:
    void BuildLayout();
    QWidget* BuildSource();
    QWidget* BuildPrizes();
    QWidget* BuildFigures();
    QWidget* BuildButtons();
    void LoadPrizes();
    void OnPrizesChanged();
    void OnRestorePrizes();
    void OnChooseFile();
    void OnExport();
    void OnPrintPdf();
    void OnLotteryChanged();
    void Refresh();
    void ShowFigures();

    ReadResult m_readResult;
    NextIssues m_nextIssues;
    tarvex::NumberSet m_set;
    tarvex::BetPlan m_plan;
    tarvex::BetFigures m_figures;
    std::vector<tarvex::Ticket> m_tickets;
    bool m_loading = false;

    QLabel* m_source = nullptr;
    QComboBox* m_way = nullptr;
    QSpinBox* m_multiple = nullptr;
    QComboBox* m_lottery = nullptr;
    QLineEdit* m_issue = nullptr;
    std::array<QSpinBox*, 3> m_prizes{};
    QLabel* m_prizeNote = nullptr;
    std::map<QString, QLabel*> m_values; // objectName → value label
    QLabel* m_leftOut = nullptr;
    QLabel* m_ticketCount = nullptr;
    QPlainTextEdit* m_ticketText = nullptr;
    QComboBox* m_encoding = nullptr;
};
