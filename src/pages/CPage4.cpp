#include "pages/CPage4.h"

#include "engine/Settings.h"

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 0, 0, 279, 69},
};

} // namespace

CPage4::CPage4(QWidget* parent)
    : CTextPage(QStringLiteral("定位杀2码"), QString::fromUtf8(tarvex::kPlaceholderPositionalKill2),
                parent) {
    CreatePage(kControls);
}
