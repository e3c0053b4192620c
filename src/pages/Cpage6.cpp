#include "pages/Cpage6.h"

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 0, 0, 279, 52},
    {Cpage6::kGroupNumbersId, ControlKind::CheckBox, "号码是组选号码", 194, 54, 72, 10},
    {-1, ControlKind::Static, "可以直接粘贴", 1, 58, 76, 8},
};

} // namespace

// The intersection page has no placeholder: its text starts empty.
Cpage6::Cpage6(QWidget* parent) : CTextPage(QStringLiteral("交集"), QString(), parent) {
    CreatePage(kControls);
}

void Cpage6::DoDataExchange(CDataExchange& dx) {
    CTextPage::DoDataExchange(dx);
    dx.Check(kGroupNumbersId, m_bGroupNumbers);
}
