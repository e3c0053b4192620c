#pragma once

#include "framework/CPropertyPage.h"

// A page holding one free text in edit 1001. The text starts as the page's placeholder,
// which stays ordinary text: not greyed, not cleared on focus. A run treats a text equal to
// the placeholder as empty; the page itself never parses or checks what is typed.
class CTextPage : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kTextId = 1001;
    static constexpr int kWidth = 279; // dialog units, every page
    static constexpr int kHeight = 70;

    QString Placeholder() const { return m_placeholder; }

    QString m_strText;

protected:
    CTextPage(const QString& caption, const QString& placeholder, QWidget* parent);
    // Creates the page's controls and gives edit 1001 both scroll bars.
    void CreatePage(std::span<const ControlSpec> specs);
    void DoDataExchange(CDataExchange& dx) override;

private:
    QString m_placeholder;
};
