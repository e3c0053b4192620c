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
    onClick(1136, &CMainDialog::OnAllSums);
    onClick(1035, &CMainDialog::OnExcludeCompound);
    onClick(1047, &CMainDialog::OnPositionalKill);
    onClick(1051, &CMainDialog::OnCompoundInput);
    onClick(1039, &CMainDialog::OnBaseSet);
    onClick(1135, &CMainDialog::OnKillSums);
    onClick(1173, &CMainDialog::OnMatchFilter);
    onClick(1194, &CMainDialog::OnPositionSize);
    onClick(1036, &CMainDialog::OnExit);
    const std::pair<int, int> danRadios[] = {{1154, 1}, {1155, 2}, {1157, 3}};
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
    fill(1129, [this] { SetAll(m_bSumTail, 1); });
    fill(1132, [this] { SetAll(m_bSumTail, 0); });
    fill(1130, [this] { SetAll(m_bSpan, 1); });
    fill(1133, [this] { SetAll(m_bSpan, 0); });
    fill(1134, [this] { SetAll(m_bDan, 0); });
    fill(1127, [this] { SetAll(m_bBigSmall, 1); });
    fill(1128, [this] { SetAll(m_bBigSmall, 0); });
    fill(1121, [this] { SetAll(m_bOddEven, 1); });
    fill(1122, [this] { SetAll(m_bOddEven, 0); });
    fill(1180, [this] { SetAll(m_bPrimeComposite, 1); });
    fill(1181, [this] { SetAll(m_bPrimeComposite, 0); });
    fill(1125, [this] {
        SetAll(m_bShape, 1);
        SetAll(m_bConsecutive, 1);
    });
    fill(1126, [this] {
        SetAll(m_bShape, 0);
        SetAll(m_bConsecutive, 0);
    });
    fill(1123, [this] { SetAll(m_bRoute, 1); });
    fill(1124, [this] { SetAll(m_bRoute, 0); });
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
    EnableDlgItems({1027, 1028, 1029}, IsChecked(*this, 1035));
}

void CMainDialog::OnPositionalKill() {
    EnableDlgItems({1044, 1045, 1046}, IsChecked(*this, 1047));
}

// Unchecks the box that was just refused, touching no other control, so nothing typed is lost.
void CMainDialog::RefuseBaseSetWithCompound(int id, int& member) {
    Platform().Message(this, QStringLiteral("大底和复式不能同时选择"));
    member = 0;
    DlgItem<QAbstractButton>(id)->setChecked(false);
}

void CMainDialog::OnCompoundInput() {
    if (m_bBaseSet) {
        RefuseBaseSetWithCompound(1051, m_bCompoundInput);
        return;
    }
    if (!ReadForToggle(1051, m_bCompoundInput))
        return;
    EnableDlgItems({1048, 1049, 1050}, m_bCompoundInput != 0);
    UpdateData(true);
}

void CMainDialog::OnBaseSet() {
    if (m_bCompoundInput) {
        RefuseBaseSetWithCompound(1039, m_bBaseSet);
        return;
    }
    if (!ReadForToggle(1039, m_bBaseSet))
        return;
    EnableDlgItems({1037, 1042}, m_bBaseSet != 0);
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
    if (!ReadForToggle(1135, m_bKillSums))
        return;
    EnableDlgItems({1131, 1136}, m_bKillSums != 0);
    if (!m_bKillSums) {
        UpdateData(true);
        return;
    }
    if (m_strSums == QString::fromUtf8(tarvex::kSumsHint))
        m_strSums.clear();
    UpdateData(false);
}

void CMainDialog::OnMatchFilter() {
    if (!ReadForToggle(1173, m_bMatchFilter))
        return;
    EnableDlgItems({1166, 1163, 1164, 1165, 1172, 1137, 1138, 1159}, m_bMatchFilter != 0);
    UpdateData(true);
}

void CMainDialog::OnPositionSize() {
    if (!ReadForToggle(1194, m_bPositionSize))
        return;
    EnableDlgItems({1193, 1191, 1192, 1174, 1139, 1140}, m_bPositionSize != 0);
    UpdateData(true);
}
