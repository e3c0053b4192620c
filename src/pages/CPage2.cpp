#include "pages/CPage2.h"

#include "engine/Settings.h"

namespace {

const ControlSpec kControls[] = {
    {CTextPage::kTextId, ControlKind::MultiLineEdit, "", 0, 0, 279, 69},
};

} // namespace

CPage2::CPage2(QWidget* parent)
    : CTextPage(QStringLiteral("垃圾复式"), QString::fromUtf8(tarvex::kPlaceholderJunk), parent) {
    CreatePage(kControls);
}
