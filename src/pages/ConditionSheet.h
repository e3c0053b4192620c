#pragma once

#include <QTabWidget>

class CPropertyPage;

// The tabbed condition area at the main window's top-left corner: tabs and pages only, no
// OK, Cancel or Apply. Leaving a page stores its controls into its members; showing a page
// loads its members into its controls.
class ConditionSheet : public QTabWidget {
    Q_OBJECT
public:
    explicit ConditionSheet(QWidget* parent = nullptr);
    ~ConditionSheet() override;

    void AddPage(CPropertyPage* page);
    CPropertyPage* Page(int index) const;
    int PageCount() const { return count(); }
    // The page shown now, or nullptr when the sheet has no pages.
    CPropertyPage* ActivePage() const;
    // Shows the page at index as a click on its tab would; false when the shown page
    // refused to be left.
    bool SetActivePage(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    void OnCurrentChanged(int index);

    int m_active = -1;
    bool m_reverting = false;
};
