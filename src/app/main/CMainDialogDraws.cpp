// The player's draw history from the main window: entry, online update, and the staleness
// line in the free space right of 菜单 (no classic control moves).
#include "app/draws/CDrawEntryDlg.h"
#include "app/draws/CDrawUpdate.h"
#include "app/main/CMainDialog.h"
#include "app/shared/CHistoryWatch.h"
#include "framework/DialogUnits.h"
#include "io/PlayerHistory.h"
#include "io/PlayerHistoryCheck.h"

#include <QDate>
#include <QFileInfo>
#include <QLabel>

namespace {

// Right of 菜单 and of the split text, to the window's edge, in dialog units.
// Free space between the condition sheet and the 杀和尾 row: one line for the history's age.
constexpr int kHistoryAgeText[4] = {4, 84, 270, 7};

// "开奖数据到 …，已 N 天没有更新", and the draws missing within a year until they are filled.
QString AgeText(const tarvex::PlayerHistoryFile& file) {
    const QDate today = QDate::currentDate();
    QString text = tarvex::PlayerHistory::StaleText(file, today);
    int missing = 0;
    for (const tarvex::PlayerHistoryCheck::Gap& gap :
         tarvex::PlayerHistoryCheck::Of(file, today).gaps)
        missing += gap.missing;
    if (missing > 0)
        text += (text.isEmpty() ? QStringLiteral("开奖数据") : QStringLiteral("，")) +
                QStringLiteral("缺 %1 期").arg(missing);
    return text;
}

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
    if (!m_historyWatch) {
        // An update or an entry from the command line (or an editor) changes the file too.
        m_historyWatch = new CHistoryWatch(this);
        connect(m_historyWatch, &CHistoryWatch::Look, this, &CMainDialog::ShowStaleness);
    }
    const QString path = tarvex::PlayerHistory::Followed(tarvex::Lottery::Fc3d);
    m_historyWatch->Watch({tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d), path});
    const QString text = path.isEmpty() ? QString() : AgeText(tarvex::PlayerHistory::Read(path));
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
    const tarvex::UpdateOutcome fc3d =
        CDrawUpdate::Run(this, tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d));
    const QString pl3 = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Pl3);
    // 取消 stops the whole update, not only the 3D part.
    if (!fc3d.cancelled && QFileInfo::exists(pl3))
        CDrawUpdate::Run(this, pl3);
    ShowStaleness();
}
