#pragma once

#include "framework/CPropertyPage.h"

#include <QList>
#include <QStringList>

class QTableWidget;

// Tab "公式": a list of formula conditions built from four drop-down lists and a value.
// The rows live only in list 1241; a run reads them, top row first, while 公式匹配 is on.
class CPage7 : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kLeftId = 1193;
    static constexpr int kOperationId = 1191;
    static constexpr int kRightId = 1192;
    static constexpr int kComparisonId = 1195;
    static constexpr int kValueId = 1027;
    static constexpr int kAddId = 1243;
    static constexpr int kDeleteId = 1244;
    static constexpr int kDeleteAllId = 1245;
    static constexpr int kFormulaMatchId = 1194;
    static constexpr int kAndId = 1154;
    static constexpr int kOrId = 1155;
    static constexpr int kListId = 1241;
    static constexpr int kColumns = 5;

    explicit CPage7(QWidget* parent = nullptr);

    // Each row's five cells, top row first.
    QList<QStringList> Rows() const;
    void SetRows(const QList<QStringList>& rows);
    // Sets CombineMode and checks the matching radio button.
    void SetCombineMode(int mode);
    // Enables the formula controls as m_bFormulaMatch says.
    void EnableFormulaControls();

    int CombineMode = 1; // 1 与: every row must hold; 0 或: one row suffices
    QString m_strValue;
    int m_bFormulaMatch = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    QTableWidget* List() const;
    void FillDropLists();
    void SetUpColumns();
    void OnAdd();
    void OnDelete();
    void OnDeleteAll();
    void OnFormulaMatch();
};
