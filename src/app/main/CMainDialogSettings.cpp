#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/main/MainDialogMembers.h"
#include "framework/Utf8Text.h"
#include "pages/CPage1.h"
#include "pages/CPage2.h"
#include "pages/CPage3.h"
#include "pages/CPage4.h"
#include "pages/CPage5.h"
#include "pages/CPage7.h"
#include "pages/CPage8.h"
#include "pages/ConditionSheet.h"
#include "pages/Cpage6.h"

#include <QAbstractButton>

namespace {

// Member ↔ setting, one overload per pair of kinds the window uses.
void ToSetting(const int& from, bool& to, std::size_t) {
    to = from != 0;
}
void ToMember(const bool& from, int& to, std::size_t) {
    to = from ? 1 : 0;
}
void ToSetting(const int& from, int& to, std::size_t) {
    to = from;
}
void ToMember(const int& from, int& to, std::size_t) {
    to = from;
}
void ToSetting(const QString& from, std::string& to, std::size_t) {
    to = from.toStdString();
}
void ToMember(const std::string& from, QString& to, std::size_t) {
    to = FromUtf8(from);
}
// Kept by the window as the settings hold them.
void ToSetting(const std::vector<tarvex::Rule>& from, std::vector<tarvex::Rule>& to, std::size_t) {
    to = from;
}
void ToMember(const std::vector<tarvex::Rule>& from, std::vector<tarvex::Rule>& to, std::size_t) {
    to = from;
}
template <std::size_t M, std::size_t N>
void ToSetting(const int (&from)[M], std::array<bool, N>& to, std::size_t first) {
    for (std::size_t i = 0; i < N && first + i < M; ++i)
        to[i] = from[first + i] != 0;
}
template <std::size_t M, std::size_t N>
void ToMember(const std::array<bool, N>& from, int (&to)[M], std::size_t first) {
    for (std::size_t i = 0; i < N && first + i < M; ++i)
        to[first + i] = from[i] ? 1 : 0;
}
template <std::size_t N>
void ToSetting(const QString (&from)[N], std::array<std::string, N>& to, std::size_t) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = from[i].toStdString();
}
template <std::size_t N>
void ToMember(const std::array<std::string, N>& from, QString (&to)[N], std::size_t) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = FromUtf8(from[i]);
}

} // namespace

// Refreshes the window's members and those of the page shown; the other pages keep what
// they held when they were last left. A refused integer has shown its message and put the
// focus in its field: the caller then stops, so that no run goes on with stale members and
// nothing writes them back over what the player typed.
bool CMainDialog::ExchangeForRun() {
    if (!UpdateData(true))
        return false;
    CPropertyPage* page = m_sheet ? m_sheet->ActivePage() : nullptr;
    return !page || page->UpdateData(true);
}

tarvex::Settings CMainDialog::GatherSettings() {
    ExchangeForRun();
    return SettingsFromMembers();
}

std::optional<tarvex::Settings> CMainDialog::ReadSettings() {
    if (!ExchangeForRun())
        return std::nullopt;
    return SettingsFromMembers();
}

tarvex::Settings CMainDialog::SettingsFromMembers() const {
    tarvex::Settings s;
    ForEachMainDialogMember([&](const auto& member, const auto& field) {
        ToSetting(this->*member.member, s.*field.member, member.firstIndex);
    });
    s.matches = MatchRows();
    s.positionSizes = PositionSizeRows();
    s.pages = PageSettingsFromMembers();
    return s;
}

tarvex::PageSettings CMainDialog::PageSettingsFromMembers() const {
    tarvex::PageSettings p;
    p.direct = m_page1->m_strText.toStdString();
    p.junk = m_page2->m_strText.toStdString();
    p.kill2 = m_page3->m_strText.toStdString();
    p.positionalKill2 = m_page4->m_strText.toStdString();
    p.mustHave2 = m_page5->m_strText.toStdString();
    p.mustHave2Positional = m_page5->m_bPositional != 0;
    p.intersection = m_page6->m_strText.toStdString();
    p.intersectionGroup = m_page6->m_bGroupNumbers != 0;
    p.formulaMatch = m_page7->m_bFormulaMatch != 0;
    p.formulaMode = m_page7->CombineMode;
    for (const QStringList& cells : m_page7->Rows()) {
        p.formulas.push_back({cells.value(0).toStdString(), cells.value(1).toStdString(),
                              cells.value(2).toStdString(), cells.value(3).toStdString(),
                              cells.value(4).toStdString()});
    }
    const std::array<int*, 10> groups = m_page8->Groups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        p.routeGroups[g] = *groups[g] != 0;
    return p;
}

void CMainDialog::ApplySettings(const tarvex::Settings& s) {
    ForEachMainDialogMember([&](const auto& member, const auto& field) {
        ToMember(s.*field.member, this->*member.member, member.firstIndex);
    });
    SetMatchRows(s.matches);
    SetPositionSizeRows(s.positionSizes);
    UpdateData(false);
    ApplyDanCount(m_nDanCount);
    ApplyEnabling();
    ApplyPageSettings(s.pages);
}

// m_nDanCount is set by the radio buttons' clicks, never exchanged.
void CMainDialog::ApplyDanCount(int count) {
    m_nDanCount = count;
    const int ids[] = {MainIds::kDanCount1, MainIds::kDanCount2, MainIds::kDanCount3};
    if (count >= 1 && count <= 3)
        DlgItem<QAbstractButton>(ids[count - 1])->setChecked(true);
}

// The enabling the check boxes' own handlers give, for the states just set.
void CMainDialog::ApplyEnabling() {
    EnableDlgItems({MainIds::kExclude[0], MainIds::kExclude[1], MainIds::kExclude[2]},
                   m_bExcludeCompound != 0);
    EnableDlgItems(
        {MainIds::kPositionalKill[0], MainIds::kPositionalKill[1], MainIds::kPositionalKill[2]},
        m_bPositionalKill != 0);
    EnableDlgItems({MainIds::kCompound[0], MainIds::kCompound[1], MainIds::kCompound[2]},
                   m_bCompoundInput != 0);
    EnableDlgItems({MainIds::kChooseBase, MainIds::kResultBox}, m_bBaseSet != 0);
    EnableDlgItems({MainIds::kSums, MainIds::kSumsAll}, m_bKillSums != 0);
    EnableDlgItems({MainIds::kMatchCount[0], MainIds::kMatchCount[1], MainIds::kMatchCount[2],
                    MainIds::kMatchCount[3], MainIds::kMatchList, MainIds::kMatchAdd,
                    MainIds::kMatchDelete, MainIds::kMatchNumbers},
                   m_bMatchFilter != 0);
    EnableDlgItems({MainIds::kPositionSizeLeft, MainIds::kPositionSizeRelation,
                    MainIds::kPositionSizeRight, MainIds::kPositionSizeList,
                    MainIds::kPositionSizeAdd, MainIds::kPositionSizeDelete},
                   m_bPositionSize != 0);
}

void CMainDialog::ApplyPageSettings(const tarvex::PageSettings& p) {
    // A page set before it was ever shown must not be reset to its start state when it is.
    for (CPropertyPage* page : Pages())
        page->InitDialog();
    m_page1->m_strText = FromUtf8(p.direct);
    m_page2->m_strText = FromUtf8(p.junk);
    m_page3->m_strText = FromUtf8(p.kill2);
    m_page4->m_strText = FromUtf8(p.positionalKill2);
    m_page5->m_strText = FromUtf8(p.mustHave2);
    m_page5->m_bPositional = p.mustHave2Positional;
    m_page6->m_strText = FromUtf8(p.intersection);
    m_page6->m_bGroupNumbers = p.intersectionGroup;
    m_page7->m_bFormulaMatch = p.formulaMatch;
    m_page7->SetCombineMode(p.formulaMode);
    QList<QStringList> rows;
    for (const tarvex::FormulaRow& row : p.formulas) {
        rows << QStringList{FromUtf8(row.left), FromUtf8(row.op), FromUtf8(row.right),
                            FromUtf8(row.comparison), FromUtf8(row.value)};
    }
    m_page7->SetRows(rows);
    const std::array<int*, 10> groups = m_page8->Groups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        *groups[g] = p.routeGroups[g] ? 1 : 0;
    for (CPropertyPage* page : Pages())
        page->UpdateData(false);
    m_page7->EnableFormulaControls();
}
