// The player's draw history from the main window: entry, online update, and the staleness
// line in the free space right of 菜单 (no classic control moves).
#include "app/draws/CDrawEntryDlg.h"
#include "app/draws/CDrawUpdate.h"
#include "app/main/CMainDialog.h"
#include "framework/DialogUnits.h"
#include "io/PlayerHistory.h"

#include <QDate>
#include <QFileInfo>
#include <QLabel>

namespace {

// Right of 菜单 and of the split text, to the window's edge, in dialog units.
// Free space between the condition sheet and the 杀和尾 row: one line for the history's age.
constexpr int kHistoryAgeText[4] = {4, 84, 270, 7};

} // namespace

void CMainDialog::ShowStaleness() {
    if (!m_historyAgeLabel) {
        const DialogUnits units(font());
        m_historyAgeLabel = new QLabel(this);
        m_historyAgeLabel->setObjectName(QStringLiteral("historyAgeText"));
        m_historyAgeLabel->setGeometry(units.Rect(kHistoryAgeText[0], kHistoryAgeText[1],
                                                  kHistoryAgeText[2], kHistoryAgeText[3]));
        m_historyAgeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_historyAgeLabel->setWordWrap(true);
        m_historyAgeLabel->show();
    }
    const QString path = tarvex::PlayerHistory::Followed(tarvex::Lottery::Fc3d);
    const QString text = path.isEmpty()
                             ? QString()
                             : tarvex::PlayerHistory::StaleText(tarvex::PlayerHistory::Read(path),
                                                                QDate::currentDate());
    m_historyAgeLabel->setText(text);
    m_historyAgeLabel->setToolTip(
        text.isEmpty() ? QString() : text + QStringLiteral("（菜单 → 更新开奖数据）"));
}

void CMainDialog::OnDrawEntry() {
    CDrawEntryDlg dialog(this);
    dialog.exec();
    ShowStaleness();
}

// 3D always; 排列3 too once the player keeps its history.
void CMainDialog::OnDrawUpdate() {
    CDrawUpdate::Run(this, tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d));
    const QString pl3 = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Pl3);
    if (QFileInfo::exists(pl3))
        CDrawUpdate::Run(this, pl3);
    ShowStaleness();
}
