#include "framework/CPropertyPage.h"

#include "framework/CDialogBuilder.h"
#include "framework/DialogUnits.h"

CPropertyPage::CPropertyPage(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {
    setFont(DialogUnits::DialogFont());
}

bool CPropertyPage::UpdateData(bool save) {
    CDataExchange dx(*this, this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool CPropertyPage::ReadDataQuietly(QString& refusal) {
    CDataExchange dx = CDataExchange::Quiet(*this, this);
    DoDataExchange(dx);
    refusal = dx.Refusal();
    return !dx.Failed();
}

void CPropertyPage::InitDialog() {
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitDialog();
}

bool CPropertyPage::OnSetActive() {
    InitDialog();
    return UpdateData(false);
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

void CPropertyPage::CreateControls(std::span<const ControlSpec> specs, int width, int height) {
    CDialogBuilder builder(this, *this);
    builder.CreateAll(specs);
    resize(builder.Units().Size(width, height));
}

void CPropertyPage::DoDataExchange(CDataExchange&) {}

bool CPropertyPage::OnInitDialog() {
    return UpdateData(false);
}
