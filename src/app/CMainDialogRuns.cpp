#include "app/CMainDialog.h"
#include "app/Platform.h"
#include "app/Utf8Text.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"
#include "io/OutputFiles.h"

namespace {

const char* const kHintAfterRun = "选中大底后，结果可以继续杀";

} // namespace

// 杀组合: the engine kills, the window shows the survivors and writes tarvex.txt.
void CMainDialog::OnKillRun() {
    ExchangeForRun();
    const tarvex::Settings settings = SettingsFromMembers();
    // Emptied before validation, so a stopped run leaves no stale result in it.
    const QString emptied = tarvex::OutputFiles::EmptyKillFile();
    const tarvex::KillOutcome outcome = tarvex::RunKill(settings);
    if (!outcome.completed()) {
        Platform().Message(this, FromUtf8(outcome.message));
        return;
    }
    ShowKillOutcome(outcome);
    ShowTolerancePreview(settings, outcome.killed);
    QString failure = emptied;
    if (failure.isEmpty() && !outcome.fileText.empty())
        failure = tarvex::OutputFiles::WriteKillFile(outcome.fileText);
    // The result stands whatever became of the file; the player learns once what failed.
    if (!failure.isEmpty())
        Platform().Message(this, failure);
}

void CMainDialog::ShowKillOutcome(const tarvex::KillOutcome& outcome) {
    RefillMatchLists();
    std::vector<std::string> survivors;
    survivors.reserve(outcome.survivors.size());
    for (int n : outcome.survivors)
        survivors.push_back(tarvex::CandidateText(n));
    SetResultListItems(survivors);
    m_killed.clear();
    for (int n : outcome.killed)
        m_killed << FromUtf8(tarvex::CandidateText(n));
    m_strResult = FromUtf8(outcome.resultText);
    m_strCount = FromUtf8(outcome.countText);
    UpdateData(false);
    m_strHint = QString::fromUtf8(kHintAfterRun);
    EnableDlgItems({1042, 1038, 1040, 1175, 1183}, true);
    UpdateData(false);
}

// Worked out once per kill run, so hovering costs nothing.
void CMainDialog::ShowTolerancePreview(const tarvex::Settings& settings,
                                       const std::vector<int>& killed) {
    const std::array<int, 17> counts = tarvex::TolerancePreview(settings, killed);
    QStringList parts;
    for (std::size_t i = 0; i < counts.size(); ++i)
        parts << QStringLiteral("%1级 %2注").arg(i + 1).arg(counts[i]);
    const QString tip = QStringLiteral("容错预览：") + parts.join(QStringLiteral("，"));
    for (int id : {1175, 1183})
        GetDlgItem(id)->setToolTip(tip);
}

// 容错: the numbers the last kill run killed get a second chance under the current settings.
void CMainDialog::OnTolerance() {
    ExchangeForRun();
    const tarvex::Settings settings = SettingsFromMembers();
    RefillMatchLists();
    tarvex::ToleranceInput input;
    for (const QString& number : m_killed)
        input.killed.push_back(number.toInt());
    input.list = ResultListItems();
    input.resultText = m_strResult.toStdString();
    const tarvex::ToleranceOutcome outcome = tarvex::RunTolerance(settings, input);

    SetResultListItems(outcome.list);
    m_strResult = FromUtf8(outcome.resultText);
    m_strCount = FromUtf8(outcome.countText);
    m_strTolerance = FromUtf8(outcome.toleranceText);
    UpdateData(false);
    const QString failure = tarvex::OutputFiles::WriteReportFile(outcome.reportText);
    if (!failure.isEmpty())
        Platform().Message(this, failure);
}
