#include "app/CMainDialog.h"
#include "app/Platform.h"
#include "app/Utf8Text.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"
#include "io/OutputFiles.h"

#include <QListWidget>

namespace {

const char* const kHintAfterRun = "选中大底后，结果可以继续杀";

// List box 1004 sorts its items; filling it unsorted and sorting once keeps a run quick.
void FillList(QListWidget* list, const QStringList& items) {
    list->setSortingEnabled(false);
    list->clear();
    list->addItems(items);
    list->setSortingEnabled(true);
}

QStringList ListItems(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

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
    QStringList survivors;
    for (int n : outcome.survivors)
        survivors << FromUtf8(tarvex::CandidateText(n));
    FillList(DlgItem<QListWidget>(1004), survivors);
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

// 容错: the numbers the last kill run killed get a second chance under the current settings.
void CMainDialog::OnTolerance() {
    ExchangeForRun();
    const tarvex::Settings settings = SettingsFromMembers();
    RefillMatchLists();
    auto* list = DlgItem<QListWidget>(1004);
    tarvex::ToleranceInput input;
    for (const QString& number : m_killed)
        input.killed.push_back(number.toInt());
    for (const QString& item : ListItems(list))
        input.list.push_back(item.toStdString());
    input.resultText = m_strResult.toStdString();
    const tarvex::ToleranceOutcome outcome = tarvex::RunTolerance(settings, input);

    QStringList items;
    for (const std::string& item : outcome.list)
        items << FromUtf8(item);
    FillList(list, items);
    m_strResult = FromUtf8(outcome.resultText);
    m_strCount = FromUtf8(outcome.countText);
    m_strTolerance = FromUtf8(outcome.toleranceText);
    UpdateData(false);
    const QString failure = tarvex::OutputFiles::WriteReportFile(outcome.reportText);
    if (!failure.isEmpty())
        Platform().Message(this, failure);
}
