#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/sets/CSetsDlg.h"
#include "engine/ResultSplit.h"
#include "framework/Platform.h"

#include <QAbstractButton>

void CMainDialog::OnSets() {
    CSetsDlg dialog(
        [this] {
            // What the player sees in the result box, pasted text included.
            UpdateData(true);
            return m_strResult.toStdString();
        },
        [this](const std::string& text) { return PutBaseSet(text); }, this, std::move(m_setsKept));
    dialog.exec();
    m_setsKept = dialog.Kept();
}

// As 选择大底 fills the box, with 大底 checked as a click on it would; 大底 and 输入复式
// exclude each other, so the box is refused then, as the click would be.
bool CMainDialog::PutBaseSet(const std::string& text) {
    if (!UpdateData(true))
        return false;
    if (m_bCompoundInput) {
        Platform().Message(this, QStringLiteral("大底和复式不能同时选择"));
        return false;
    }
    m_strResult = QString::fromStdString(text);
    m_bBaseSet = 1;
    UpdateData(false);
    EnableDlgItems({MainIds::kChooseBase, MainIds::kResultBox}, true);
    ShowSplit(tarvex::SplitBaseText(text));
    return true;
}
