#include "pages/CPage5.h"

#include "engine/Settings.h"

#include <QAbstractButton>

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 4, 3, 270, 51},
    {CPage5::kPositionalId, ControlKind::CheckBox, "定位", 242, 56, 32, 10},
};

} // namespace

CPage5::CPage5(QWidget* parent) : CTextPage(QStringLiteral("必出2码"), PlaceholderFor(0), parent) {
    CreatePage(kControls);
    connect(DlgItem<QAbstractButton>(kPositionalId), &QAbstractButton::clicked, this,
            &CPage5::OnPositional);
}

QString CPage5::PlaceholderFor(int positional) {
    return QString::fromUtf8(positional ? tarvex::kPlaceholderMustHave2Positional
                                        : tarvex::kPlaceholderMustHave2);
}

void CPage5::DoDataExchange(CDataExchange& dx) {
    CTextPage::DoDataExchange(dx);
    dx.Check(kPositionalId, m_bPositional);
}

// The text always shows the example format of the mode just chosen; what was typed goes.
void CPage5::OnPositional() {
    UpdateData(true);
    m_strText = PlaceholderFor(m_bPositional);
    UpdateData(false);
}
