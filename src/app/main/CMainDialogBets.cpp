// 投注 beside the classic window: an item under 菜单 and one in the result box's right-click
// menu, both opening the window on what the result box holds.
#include "app/bets/CBetDlg.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/record/CRecordKeeper.h"
#include "app/record/RecordHistory.h"
#include "framework/CSystemMenu.h"
#include "io/PredictionTarget.h"
#include "widgets/CResultEdit.h"

#include <QAction>
#include <QDate>
#include <QMenu>

void CMainDialog::AddBetItems() {
    m_systemMenu->AddItem(kBetsCommand, QStringLiteral("投注(&T)..."));
    for (QAction* action : m_systemMenu->Menu()->actions()) {
        if (action->data().toInt() == kBetsCommand)
            action->setObjectName(QStringLiteral("betsAction"));
    }
    if (auto* box = DlgItem<CResultEdit>(MainIds::kResultBox))
        box->AddMenuItem(QStringLiteral("betsFromResult"), QStringLiteral("投注(&T)..."),
                         [this] { OnBets(); });
}

void CMainDialog::OnBets() {
    CBetDlg::NextIssues next;
    next[tarvex::PredictionTarget::k3D] = CRecordKeeper::Target(RecordHistory::Draws());
    const auto all = RecordHistory::AllLotteries();
    if (const auto it = all.find(tarvex::PredictionTarget::kPermutation3); it != all.end())
        next[it->first] = tarvex::PredictionTarget::Next(it->second, QDate::currentDate());
    CBetDlg dialog(
        [this] {
            // What the player sees in the result box, pasted text included.
            UpdateData(true);
            return m_strResult.toStdString();
        },
        next, this);
    dialog.exec();
}
