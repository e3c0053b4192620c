#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/Settings.h"
#include "framework/Platform.h"

#include <QAbstractButton>
#include <QPushButton>

namespace {

const char* const kAllSums =
    "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27";

template <std::size_t N> void SetAll(int (&flags)[N], int value) {
    for (int& flag : flags)
        flag = value;
}

bool IsChecked(const CControlHost& host, int id) {
    auto* box = host.DlgItem<QAbstractButton>(id);
    return box && box->isChecked();
}

} // namespace

void CMainDialog::ConnectHandlers() {
    ConnectFillButtons();
    ConnectNumberSetHandlers();
    ConnectDanHandlers();
    auto onClick = [this](int id, void (CMainDialog::*handler)()) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(MainIds::kSumsAll, &CMainDialog::OnAllSums);
    onClick(MainIds::kExcludeCompound, &CMainDialog::OnExcludeCompound);
    onClick(MainIds::kPositionalKillBox, &CMainDialog::OnPositionalKill);
    onClick(MainIds::kCompoundInput, &CMainDialog::OnCompoundInput);
    onClick(MainIds::kBaseSet, &CMainDialog::OnBaseSet);
    onClick(MainIds::kKillSums, &CMainDialog::OnKillSums);
    onClick(MainIds::kMatchFilter, &CMainDialog::OnMatchFilter);
    onClick(MainIds::kPositionSize, &CMainDialog::OnPositionSize);
    onClick(MainIds::kExit, &CMainDialog::OnExit);
    const std::pair<int, int> danRadios[] = {
        {MainIds::kDanCount1, 1}, {MainIds::kDanCount2, 2}, {MainIds::kDanCount3, 3}};
    for (auto [id, count] : danRadios) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this,
                [this, count = count] { OnDanCount(count); });
    }
}

// The 全 and 清 buttons: read the controls, set or clear one group, show it again.
void CMainDialog::ConnectFillButtons() {
    auto fill = [this](int id, auto setter) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, [this, setter] {
            // A refused control stops the exchange halfway; showing the members then would
            // overwrite what the player has set in the controls after it.
            if (!UpdateData(true))
                return;
            setter();
            UpdateData(false);
        });
    };
    fill(MainIds::kSumTailAll, [this] { SetAll(m_bSumTail, 1); });
    fill(MainIds::kSumTailClear, [this] { SetAll(m_bSumTail, 0); });
    fill(MainIds::kSpanAll, [this] { SetAll(m_bSpan, 1); });
    fill(MainIds::kSpanClear, [this] { SetAll(m_bSpan, 0); });
    fill(MainIds::kDanClear, [this] { SetAll(m_bDan, 0); });
    fill(MainIds::kBigSmallAll, [this] { SetAll(m_bBigSmall, 1); });
    fill(MainIds::kBigSmallClear, [this] { SetAll(m_bBigSmall, 0); });
    fill(MainIds::kOddEvenAll, [this] { SetAll(m_bOddEven, 1); });
    fill(MainIds::kOddEvenClear, [this] { SetAll(m_bOddEven, 0); });
    fill(MainIds::kPrimeCompositeAll, [this] { SetAll(m_bPrimeComposite, 1); });
    fill(MainIds::kPrimeCompositeClear, [this] { SetAll(m_bPrimeComposite, 0); });
    fill(MainIds::kShapeAll, [this] {
        SetAll(m_bShape, 1);
        SetAll(m_bConsecutive, 1);
    });
    fill(MainIds::kShapeClear, [this] {
        SetAll(m_bShape, 0);
        SetAll(m_bConsecutive, 0);
    });
    fill(MainIds::kRouteAll, [this] { SetAll(m_bRoute, 1); });
    fill(MainIds::kRouteClear, [this] { SetAll(m_bRoute, 0); });
}

void CMainDialog::OnAllSums() {
    if (!UpdateData(true))
        return;
    m_strSums = QString::fromUtf8(kAllSums);
    UpdateData(false);
}

void CMainDialog::OnDanCount(int count) {
    m_nDanCount = count;
}

void CMainDialog::OnExcludeCompound() {
    EnableDlgItems({MainIds::kExclude[0], MainIds::kExclude[1], MainIds::kExclude[2]},
                   IsChecked(*this, MainIds::kExcludeCompound));
}

void CMainDialog::OnPositionalKill() {
    EnableDlgItems(
        {MainIds::kPositionalKill[0], MainIds::kPositionalKill[1], MainIds::kPositionalKill[2]},
        IsChecked(*this, MainIds::kPositionalKillBox));
}

// Unchecks the box that was just refused, touching no other control, so nothing typed is lost.
void CMainDialog::RefuseBaseSetWithCompound(int id, int& member) {
    Platform().Message(this, QStringLiteral("大底和复式不能同时选择"));
    member = 0;
    DlgItem<QAbstractButton>(id)->setChecked(false);
}

void CMainDialog::OnCompoundInput() {
    if (m_bBaseSet) {
        RefuseBaseSetWithCompound(MainIds::kCompoundInput, m_bCompoundInput);
        return;
    }
    if (!ReadForToggle(MainIds::kCompoundInput, m_bCompoundInput))
        return;
    EnableDlgItems({MainIds::kCompound[0], MainIds::kCompound[1], MainIds::kCompound[2]},
                   m_bCompoundInput != 0);
    UpdateData(true);
}

void CMainDialog::OnBaseSet() {
    if (m_bCompoundInput) {
        RefuseBaseSetWithCompound(MainIds::kBaseSet, m_bBaseSet);
        return;
    }
    if (!ReadForToggle(MainIds::kBaseSet, m_bBaseSet))
        return;
    EnableDlgItems({MainIds::kChooseBase, MainIds::kResultBox}, m_bBaseSet != 0);
    UpdateData(true);
}

// Reads the controls for a switch that enables others. When a control refuses its text,
// the click is undone, so a box never shows a state its member and its controls lack
// (which would also let 大底 and 输入复式 end up checked together).
bool CMainDialog::ReadForToggle(int id, const int& member) {
    if (UpdateData(true))
        return true;
    DlgItem<QAbstractButton>(id)->setChecked(member != 0);
    return false;
}

void CMainDialog::OnKillSums() {
    if (!ReadForToggle(MainIds::kKillSums, m_bKillSums))
        return;
    EnableDlgItems({MainIds::kSums, MainIds::kSumsAll}, m_bKillSums != 0);
    if (!m_bKillSums) {
        UpdateData(true);
        return;
    }
    if (m_strSums == QString::fromUtf8(tarvex::kSumsHint))
        m_strSums.clear();
    UpdateData(false);
}

void CMainDialog::OnMatchFilter() {
    if (!ReadForToggle(MainIds::kMatchFilter, m_bMatchFilter))
        return;
    EnableDlgItems({MainIds::kMatchCount[0], MainIds::kMatchCount[1], MainIds::kMatchCount[2],
                    MainIds::kMatchCount[3], MainIds::kMatchList, MainIds::kMatchAdd,
                    MainIds::kMatchDelete, MainIds::kMatchNumbers},
                   m_bMatchFilter != 0);
    UpdateData(true);
}

void CMainDialog::OnPositionSize() {
    if (!ReadForToggle(MainIds::kPositionSize, m_bPositionSize))
        return;
    EnableDlgItems({MainIds::kPositionSizeLeft, MainIds::kPositionSizeRelation,
                    MainIds::kPositionSizeRight, MainIds::kPositionSizeList,
                    MainIds::kPositionSizeAdd, MainIds::kPositionSizeDelete},
                   m_bPositionSize != 0);
    UpdateData(true);
}
