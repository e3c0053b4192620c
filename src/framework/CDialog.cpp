#include "framework/CDialog.h"

#include "framework/CDialogBuilder.h"
#include "framework/DialogUnits.h"

CDialog::CDialog(QWidget* parent) : QDialog(parent) {
    setFont(DialogUnits::DialogFont());
}

void CDialog::UseDialogFrame(bool minimizeBox) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
}

bool CDialog::UpdateData(bool save) {
    CDataExchange dx(*this, this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool CDialog::ReadDataQuietly(QString& refusal) {
    CDataExchange dx = CDataExchange::Quiet(*this, this);
    DoDataExchange(dx);
    refusal = dx.Refusal();
    return !dx.Failed();
}

void CDialog::InitDialog() {
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitDialog();
}

void CDialog::CreateControls(std::span<const ControlSpec> specs, int width, int height) {
    CDialogBuilder builder(this, *this);
    builder.CreateAll(specs);
    setFixedSize(builder.Units().Size(width, height));
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::showEvent(QShowEvent* event) {
    InitDialog();
    QDialog::showEvent(event);
}
