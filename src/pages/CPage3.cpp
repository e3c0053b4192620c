#include "pages/CPage3.h"

#include "engine/Settings.h"

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 0, 0, 279, 69},
};

} // namespace

CPage3::CPage3(QWidget* parent)
    : CTextPage(QStringLiteral("杀2码"), QString::fromUtf8(tarvex::kPlaceholderKill2), parent) {
    CreatePage(kControls);
}
