#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/shared/CBackgroundRun.h"
#include "engine/ResultSplit.h"
#include "engine/RunText.h"
#include "framework/Platform.h"
#include "framework/Utf8Text.h"

#include <QLabel>

namespace {

const char* const kHintAfterRun = "选中大底后，结果可以继续杀";

} // namespace

// 杀组合: the session kills and writes tarvex.txt, the window shows the survivors.
void CMainDialog::OnKillRun() {
    if (!ExchangeForRun())
        return;
    const tarvex::Settings settings = SettingsFromMembers();
    LoadSessionFromControls();
    tarvex::PlayerSession::KillStep step;
    CBackgroundRun::Run(this, {},
                        [&](const tarvex::ProgressFn&) { step = m_session.Kill(settings); });
    if (!step.outcome.completed()) {
        Platform().Message(this, FromUtf8(step.outcome.message));
        return;
    }
    m_killSettings = settings;
    m_conditionsChanged = false;
    m_staleLabel->hide();
    ShowKillOutcome(step.outcome);
    ShowTolerancePreview(settings, step.outcome.killed);
    ShowSplit(tarvex::SplitNumbers(step.outcome.survivors));
    ShowOutputs(false);
    ShowRecordStatus(m_recordKeeper.KeepKill(settings, step.outcome.survivors));
    // The result stands whatever became of the file; the player learns once what failed.
    if (!step.failure.isEmpty())
        Platform().Message(this, step.failure);
}

// What the player may have changed by hand since the last button: the result box and the
// list box. The session works on these.
void CMainDialog::LoadSessionFromControls() {
    m_session.SetResultText(m_strResult.toStdString());
    m_session.SetList(ResultListItems());
}

void CMainDialog::ShowSessionResult() {
    SetResultListItems(m_session.List());
    m_strResult = FromUtf8(m_session.ResultText());
}

void CMainDialog::ShowKillOutcome(const tarvex::KillOutcome& outcome) {
    RefillMatchLists();
    ShowSessionResult();
    // A mirror for the modelled member; 容错 reads the session's own list.
    m_killed.clear();
    for (int n : m_session.Killed())
        m_killed << FromUtf8(tarvex::CandidateText(n));
    m_strCount = FromUtf8(outcome.countText);
    // "容错N注" belonged to the previous kill run's list.
    m_strTolerance.clear();
    UpdateData(false);
    m_strHint = QString::fromUtf8(kHintAfterRun);
    EnableDlgItems({MainIds::kResultBox, MainIds::kExport, MainIds::kToGroup,
                    MainIds::kToleranceRun, MainIds::kToleranceLevel},
                   true);
    UpdateData(false);
}

// Worked out once per kill run, so hovering costs nothing.
void CMainDialog::ShowTolerancePreview(const tarvex::Settings& settings,
                                       const std::vector<int>& killed) {
    ShowTolerancePreview(tarvex::TolerancePreview(settings, killed));
}

void CMainDialog::ShowTolerancePreview(const std::array<int, 17>& counts) {
    // Six levels a line, so the tip stays narrower than the window.
    QString tip = QStringLiteral("容错预览：");
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (i > 0)
            tip += i % 6 == 0 ? QStringLiteral("，\n") : QStringLiteral("，");
        tip += QStringLiteral("%1级 %2注").arg(i + 1).arg(counts[i]);
    }
    for (int id : {MainIds::kToleranceRun, MainIds::kToleranceLevel})
        GetDlgItem(id)->setToolTip(tip);
}

// 容错: the numbers the last kill run killed get a second chance under the current settings.
void CMainDialog::OnTolerance() {
    if (!ExchangeForRun())
        return;
    const tarvex::Settings settings = SettingsFromMembers();
    RefillMatchLists();
    LoadSessionFromControls();
    tarvex::PlayerSession::ToleranceStep step;
    CBackgroundRun::Run(this, {},
                        [&](const tarvex::ProgressFn&) { step = m_session.Tolerance(settings); });
    ShowSessionResult();
    m_strCount = FromUtf8(step.outcome.countText);
    m_strTolerance = FromUtf8(step.outcome.toleranceText);
    UpdateData(false);
    ShowSplit(tarvex::SplitItems(m_session.List()));
    ShowOutputs(true);
    if (m_session.LastKill())
        ShowRecordStatus(m_recordKeeper.KeepTolerance(settings, m_session.LastKill()->survivors,
                                                      settings.level + 1, m_session.List()));
    if (!step.failure.isEmpty())
        Platform().Message(this, step.failure);
}
