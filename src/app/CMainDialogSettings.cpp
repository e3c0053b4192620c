#include "app/CMainDialog.h"
#include "app/Utf8Text.h"
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

template <std::size_t N> void ToFlags(const int (&from)[N], std::array<bool, N>& to) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = from[i] != 0;
}

template <std::size_t N> void FromFlags(const std::array<bool, N>& from, int (&to)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = from[i] ? 1 : 0;
}

template <std::size_t N> void ToTexts(const QString (&from)[N], std::array<std::string, N>& to) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = from[i].toStdString();
}

template <std::size_t N> void FromTexts(const std::array<std::string, N>& from, QString (&to)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = QString::fromStdString(from[i]);
}

} // namespace

// Refreshes the window's members and those of the page shown; the other pages keep what
// they held when they were last left. A refused integer has shown its message and the
// members after it keep their values, as the runs have always gone on with them.
void CMainDialog::ExchangeForRun() {
    UpdateData(true);
    if (CPropertyPage* page = m_sheet ? m_sheet->ActivePage() : nullptr)
        page->UpdateData(true);
}

tarvex::Settings CMainDialog::GatherSettings() {
    ExchangeForRun();
    return SettingsFromMembers();
}

tarvex::Settings CMainDialog::SettingsFromMembers() const {
    tarvex::Settings s;
    ToFlags(m_bSumTail, s.sumTail);
    s.sumLow = m_nSumLow;
    s.sumHigh = m_nSumHigh;
    ToFlags(m_bSpan, s.span);
    ToFlags(m_bDan, s.dan);
    s.danCount = m_nDanCount;
    s.excludeCompound = m_bExcludeCompound != 0;
    ToTexts(m_strExclude, s.exclude);
    s.positionalKill = m_bPositionalKill != 0;
    ToTexts(m_strPositionalKill, s.positionalKillDigits);
    s.compoundInput = m_bCompoundInput != 0;
    ToTexts(m_strCompound, s.compound);
    s.baseSet = m_bBaseSet != 0;
    s.baseIsGroup = m_bBaseIsGroup != 0;
    s.result = m_strResult.toStdString();
    ToFlags(m_bBigSmall, s.bigSmall);
    ToFlags(m_bOddEven, s.oddEven);
    ToFlags(m_bPrimeComposite, s.primeComposite);
    ToFlags(m_bShape, s.shape);
    ToFlags(m_bConsecutive, s.consecutive);
    ToFlags(m_bRoute, s.route);
    for (int k = 1; k <= 3; ++k)
        s.ac[k - 1] = m_bAc[k] != 0;
    s.killSums = m_bKillSums != 0;
    s.sums = m_strSums.toStdString();
    s.matchFilter = m_bMatchFilter != 0;
    s.matches = MatchRows();
    s.positionSize = m_bPositionSize != 0;
    s.positionSizes = PositionSizeRows();
    s.perRow = m_nPerRow;
    s.level = m_nLevel;
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
    FromFlags(s.sumTail, m_bSumTail);
    m_nSumLow = s.sumLow;
    m_nSumHigh = s.sumHigh;
    FromFlags(s.span, m_bSpan);
    FromFlags(s.dan, m_bDan);
    m_bExcludeCompound = s.excludeCompound;
    FromTexts(s.exclude, m_strExclude);
    m_bPositionalKill = s.positionalKill;
    FromTexts(s.positionalKillDigits, m_strPositionalKill);
    m_bCompoundInput = s.compoundInput;
    FromTexts(s.compound, m_strCompound);
    m_bBaseSet = s.baseSet;
    m_bBaseIsGroup = s.baseIsGroup;
    m_strResult = FromUtf8(s.result);
    FromFlags(s.bigSmall, m_bBigSmall);
    FromFlags(s.oddEven, m_bOddEven);
    FromFlags(s.primeComposite, m_bPrimeComposite);
    FromFlags(s.shape, m_bShape);
    FromFlags(s.consecutive, m_bConsecutive);
    FromFlags(s.route, m_bRoute);
    for (int k = 1; k <= 3; ++k)
        m_bAc[k] = s.ac[k - 1];
    m_bKillSums = s.killSums;
    m_strSums = FromUtf8(s.sums);
    m_bMatchFilter = s.matchFilter;
    SetMatchRows(s.matches);
    m_bPositionSize = s.positionSize;
    SetPositionSizeRows(s.positionSizes);
    m_nPerRow = s.perRow;
    m_nLevel = s.level;
    UpdateData(false);
    ApplyDanCount(s.danCount);
    ApplyEnabling();
    ApplyPageSettings(s.pages);
}

// m_nDanCount is set by the radio buttons' clicks, never exchanged.
void CMainDialog::ApplyDanCount(int count) {
    m_nDanCount = count;
    const int ids[] = {1154, 1155, 1157};
    if (count >= 1 && count <= 3)
        DlgItem<QAbstractButton>(ids[count - 1])->setChecked(true);
}

// The enabling the check boxes' own handlers give, for the states just set.
void CMainDialog::ApplyEnabling() {
    EnableDlgItems({1027, 1028, 1029}, m_bExcludeCompound != 0);
    EnableDlgItems({1044, 1045, 1046}, m_bPositionalKill != 0);
    EnableDlgItems({1048, 1049, 1050}, m_bCompoundInput != 0);
    EnableDlgItems({1037, 1042}, m_bBaseSet != 0);
    EnableDlgItems({1131, 1136}, m_bKillSums != 0);
    EnableDlgItems({1166, 1163, 1164, 1165, 1172, 1137, 1138, 1159}, m_bMatchFilter != 0);
    EnableDlgItems({1193, 1191, 1192, 1174, 1139, 1140}, m_bPositionSize != 0);
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
