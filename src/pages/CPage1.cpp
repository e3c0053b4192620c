#include "pages/CPage1.h"

#include "engine/Settings.h"

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 0, 0, 279, 65},
};

} // namespace

CPage1::CPage1(QWidget* parent)
    : CTextPage(QStringLiteral("杀直选"), QString::fromUtf8(tarvex::kPlaceholderDirect), parent) {
    CreatePage(kControls);
}
