#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/ResultSplit.h"
#include "framework/Platform.h"
#include "io/TextFileReader.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QListWidget>

namespace {

const char* const kFileFilter = "文件名(*.TXT)|*.TXT||";
const int kResultList = MainIds::kResultList;

} // namespace

void CMainDialog::ConnectNumberSetHandlers() {
    auto onClick = [this](int id, void (CMainDialog::*handler)()) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(MainIds::kChooseBase, &CMainDialog::OnChooseBaseFile);
    onClick(MainIds::kExport, &CMainDialog::OnExport);
    onClick(MainIds::kToGroup, &CMainDialog::OnToGroup);
}

std::vector<std::string> CMainDialog::ResultListItems() const {
    auto* list = DlgItem<QListWidget>(kResultList);
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row)
        items.push_back(list->item(row)->text().toStdString());
    return items;
}

// List box 1004 sorts its items; filling it unsorted and sorting once keeps a run quick.
void CMainDialog::SetResultListItems(const std::vector<std::string>& items) {
    auto* list = DlgItem<QListWidget>(kResultList);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    list->setSortingEnabled(false);
    list->clear();
    list->addItems(texts);
    list->setSortingEnabled(true);
}

// The controls are read first so that writing the members back shows what the player had,
// text pasted into the result box included; on a failed load the result box is not touched.
// The file dialog leaves the current directory alone, so tarvex.txt stays where it was.
void CMainDialog::OnChooseBaseFile() {
    if (!UpdateData(true))
        return;
    const QString path = Platform().GetOpenFileName(this, QString::fromUtf8(kFileFilter));
    if (path.isEmpty()) {
        UpdateData(false);
        return;
    }
    const tarvex::TextReadResult read = tarvex::TextFileReader::ReadBaseSet(path);
    if (!read.ok()) {
        Platform().Message(this, read.error);
        return;
    }
    m_strResult = QString::fromStdString(read.text);
    UpdateData(false);
    ShowSplit(tarvex::SplitBaseText(read.text));
}

void CMainDialog::OnExport() {
    if (!UpdateData(true))
        return;
    const QString chosen = Platform().GetSaveFileName(this, QString::fromUtf8(kFileFilter));
    if (chosen.isEmpty())
        return;
    LoadSessionFromControls();
    const tarvex::PlayerSession::ExportStep step =
        m_session.Export(chosen, m_nPerRow, QDateTime::currentDateTime());
    if (!step.failure.isEmpty()) {
        Platform().Message(this, step.failure);
        return;
    }
    Platform().ShellOpen(step.path);
}

// The window shows the converted list even when tarvex.txt cannot be written; the player is
// then told which file is missing, by its full path.
void CMainDialog::OnToGroup() {
    if (!UpdateData(true))
        return;
    LoadSessionFromControls();
    const tarvex::PlayerSession::GroupStep step = m_session.ToGroup();
    ShowSessionResult();
    m_strCount = QString::fromStdString(step.group.countText);
    UpdateData(false);
    ShowSplit(tarvex::SplitItems(step.group.numbers));
    ShowOutputs(false);
    if (!step.failure.isEmpty())
        Platform().Message(this, step.failure);
}
