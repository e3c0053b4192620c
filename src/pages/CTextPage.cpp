#include "pages/CTextPage.h"

#include <QPlainTextEdit>

CTextPage::CTextPage(const QString& caption, const QString& placeholder, QWidget* parent)
    : CPropertyPage(caption, parent), m_strText(placeholder), m_placeholder(placeholder) {}

void CTextPage::CreatePage(std::span<const ControlSpec> specs) {
    CreateControls(specs, kWidth, kHeight);
    if (auto* edit = DlgItem<QPlainTextEdit>(kTextId)) {
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
}

void CTextPage::DoDataExchange(CDataExchange& dx) {
    dx.Text(kTextId, m_strText);
}
