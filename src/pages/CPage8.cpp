#include "pages/CPage8.h"

#include <QAbstractButton>

namespace {

using K = ControlKind;

const ControlSpec kControls[] = {
    {-1, K::GroupBox, "组选012过滤", 5, 9, 171, 57},
    {CPage8::kGroupIds[0], K::CheckBox, "000", 8, 18, 28, 10},
    {CPage8::kGroupIds[1], K::CheckBox, "001", 37, 18, 28, 10},
    {CPage8::kGroupIds[3], K::CheckBox, "011", 65, 18, 28, 10},
    {CPage8::kGroupIds[2], K::CheckBox, "002", 93, 18, 28, 10},
    {CPage8::kGroupIds[4], K::CheckBox, "012", 123, 18, 28, 10},
    {CPage8::kGroupIds[5], K::CheckBox, "022", 10, 37, 28, 10},
    {CPage8::kGroupIds[6], K::CheckBox, "111", 38, 37, 28, 12},
    {CPage8::kGroupIds[7], K::CheckBox, "112", 66, 37, 28, 10},
    {CPage8::kGroupIds[8], K::CheckBox, "122", 93, 37, 28, 10},
    {CPage8::kGroupIds[9], K::CheckBox, "222", 124, 37, 28, 10},
    {CPage8::kAllId, K::FlatButton, "全", 11, 53, 18, 12},
    {CPage8::kNoneId, K::FlatButton, "清", 120, 53, 18, 12},
};

} // namespace

CPage8::CPage8(QWidget* parent) : CPropertyPage(QStringLiteral("其他"), parent) {
    CreateControls(kControls, 279, 70);
    connect(DlgItem<QAbstractButton>(kAllId), &QAbstractButton::clicked, this,
            [this] { SetAll(1); });
    connect(DlgItem<QAbstractButton>(kNoneId), &QAbstractButton::clicked, this,
            [this] { SetAll(0); });
}

std::array<int*, 10> CPage8::Groups() {
    return {&m_bGroup000, &m_bGroup001, &m_bGroup002, &m_bGroup011, &m_bGroup012,
            &m_bGroup022, &m_bGroup111, &m_bGroup112, &m_bGroup122, &m_bGroup222};
}

// 112 is followed by 222 and then 122, the order the page has always exchanged them in.
void CPage8::DoDataExchange(CDataExchange& dx) {
    dx.Check(CPage8::kGroupIds[0], m_bGroup000);
    dx.Check(CPage8::kGroupIds[1], m_bGroup001);
    dx.Check(CPage8::kGroupIds[2], m_bGroup002);
    dx.Check(CPage8::kGroupIds[3], m_bGroup011);
    dx.Check(CPage8::kGroupIds[4], m_bGroup012);
    dx.Check(CPage8::kGroupIds[5], m_bGroup022);
    dx.Check(CPage8::kGroupIds[6], m_bGroup111);
    dx.Check(CPage8::kGroupIds[7], m_bGroup112);
    dx.Check(CPage8::kGroupIds[9], m_bGroup222);
    dx.Check(CPage8::kGroupIds[8], m_bGroup122);
}

// Stores first, so boxes toggled just before are not lost, then sets all ten.
void CPage8::SetAll(int value) {
    UpdateData(true);
    for (int* flag : Groups())
        *flag = value;
    UpdateData(false);
}
