// The prediction record beside the classic window: each 杀组合 and 容错 kept as a prediction
// for the coming draw (记录预测), and the 预测记录 window.
#include "app/main/CMainDialog.h"
#include "app/record/CRecordDlg.h"
#include "app/record/RecordHistory.h"
#include "framework/CSystemMenu.h"

#include <QLabel>

void CMainDialog::AddRecordMenuItems() {
    m_systemMenu->AddItem(kRecordCommand, QStringLiteral("预测记录(&R)..."));
    m_systemMenu->AddItem(kKeepRecordCommand, QStringLiteral("记录预测"));
    m_systemMenu->SetChecked(kKeepRecordCommand, m_recordKeeper.Enabled());
}

bool CMainDialog::OnRecordCommand(int id) {
    if (id == kKeepRecordCommand) {
        m_recordKeeper.SetEnabled(!m_recordKeeper.Enabled());
        m_systemMenu->SetChecked(kKeepRecordCommand, m_recordKeeper.Enabled());
        return true;
    }
    if (id == kRecordCommand) {
        CRecordDlg dialog(RecordHistory::RecordPath(), RecordHistory::AllLotteries(), this);
        dialog.FollowHistories();
        dialog.exec();
        return true;
    }
    return false;
}

// In the split's tooltip; a failure also under the split, in its free lines. It never stops
// the run nor opens a box.
void CMainDialog::ShowRecordStatus(const CRecordKeeper::Status& status) {
    if (status.text.isEmpty())
        return;
    if (status.failed)
        m_splitLabel->setText(m_splitLabel->text() + u'\n' + status.text);
    m_splitLabel->setToolTip(m_splitLabel->toolTip() + u'\n' + status.detail);
}
