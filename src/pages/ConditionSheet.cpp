#include "pages/ConditionSheet.h"

#include "app/CPropertyPage.h"

#include <QStyle>
#include <QTabBar>

ConditionSheet::ConditionSheet(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(true);
    connect(this, &QTabWidget::currentChanged, this, &ConditionSheet::OnCurrentChanged);
}

void ConditionSheet::AddPage(CPropertyPage* page) {
    addTab(page, page->Caption());
    resize(sizeHint());
}

CPropertyPage* ConditionSheet::Page(int index) const {
    return qobject_cast<CPropertyPage*>(widget(index));
}

CPropertyPage* ConditionSheet::ActivePage() const {
    return Page(currentIndex());
}

bool ConditionSheet::SetActivePage(int index) {
    setCurrentIndex(index);
    return currentIndex() == index;
}

void ConditionSheet::OnCurrentChanged(int index) {
    if (m_reverting || index == m_active)
        return;
    CPropertyPage* leaving = Page(m_active);
    if (leaving && !leaving->OnKillActive()) {
        // The page has told the player what is wrong; it stays in front to be put right.
        m_reverting = true;
        setCurrentIndex(m_active);
        m_reverting = false;
        return;
    }
    m_active = index;
    if (CPropertyPage* showing = Page(index))
        showing->OnSetActive();
}

// The size the pages ask for plus the tabs and the frame around the page area.
QSize ConditionSheet::sizeHint() const {
    QSize page(0, 0);
    for (int i = 0; i < count(); ++i)
        page = page.expandedTo(widget(i)->size());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    return {page.width() + 2 * frame, page.height() + tabBar()->sizeHint().height() + 2 * frame};
}
