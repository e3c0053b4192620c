#include "pages/ConditionSheet.h"

#include "framework/CPropertyPage.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

ConditionSheet::ConditionSheet(QWidget* parent) : QTabWidget(parent) {
    // All eight tabs fit in one row above the pages with a little less padding than the
    // style's default; should a larger font not fit, the tab bar scrolls.
    setUsesScrollButtons(true);
    tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 2px 5px; margin-top: 2px; border: 1px solid palette(mid);"
        " border-bottom: none; border-top-left-radius: 2px; border-top-right-radius: 2px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { margin-top: 0px; background: palette(window); }"));
    connect(this, &QTabWidget::currentChanged, this, &ConditionSheet::OnCurrentChanged);
}

// The pages go with the sheet's base classes; none of them is to be "left" on the way out.
ConditionSheet::~ConditionSheet() {
    disconnect(this, &QTabWidget::currentChanged, this, nullptr);
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

// The size the pages ask for plus what the style puts around the page area (the tabs and
// the frame), measured as the style lays the sheet out.
QSize ConditionSheet::sizeHint() const {
    QSize page(0, 0);
    for (int i = 0; i < count(); ++i)
        page = page.expandedTo(widget(i)->size());
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect area = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    return page + (option.rect.size() - area.size());
}
