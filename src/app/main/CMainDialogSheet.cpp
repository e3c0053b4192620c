#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "pages/CPage1.h"
#include "pages/CPage2.h"
#include "pages/CPage3.h"
#include "pages/CPage4.h"
#include "pages/CPage5.h"
#include "pages/CPage7.h"
#include "pages/CPage8.h"
#include "pages/ConditionSheet.h"
#include "pages/Cpage6.h"

#include <QAbstractButton>

// The pages live as long as the window; they hold their initial values until the sheet
// shows them, and a run can read them even if the sheet never did.
void CMainDialog::CreatePages() {
    m_page1 = new CPage1(this);
    m_page2 = new CPage2(this);
    m_page3 = new CPage3(this);
    m_page4 = new CPage4(this);
    m_page5 = new CPage5(this);
    m_page6 = new Cpage6(this);
    m_page7 = new CPage7(this);
    m_page8 = new CPage8(this);
    for (CPropertyPage* page : Pages())
        page->hide();
}

std::array<CPropertyPage*, 8> CMainDialog::Pages() const {
    return {m_page1, m_page2, m_page3, m_page4, m_page5, m_page6, m_page7, m_page8};
}

// Tabs and pages only, at the top-left corner of the client area in the size the pages
// ask for; the first page, "杀直选", is shown first.
void CMainDialog::CreateConditionSheet() {
    m_sheet = new ConditionSheet(this);
    for (CPropertyPage* page : Pages())
        m_sheet->AddPage(page);
    m_sheet->setGeometry(QRect(QPoint(0, 0), m_sheet->sizeHint()));
    m_sheet->show();
}

void CMainDialog::ConnectListsAndRuns() {
    auto onClick = [this](int id, void (CMainDialog::*handler)()) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(MainIds::kMatchAdd, &CMainDialog::OnAddMatch);
    onClick(MainIds::kMatchDelete, &CMainDialog::OnDeleteMatch);
    onClick(MainIds::kPositionSizeAdd, &CMainDialog::OnAddPositionSize);
    onClick(MainIds::kPositionSizeDelete, &CMainDialog::OnDeletePositionSize);
    onClick(MainIds::kKillRun, &CMainDialog::OnKillRun);
    onClick(MainIds::kToleranceRun, &CMainDialog::OnTolerance);
}
