#pragma once

#include "pages/CTextPage.h"

// Tab "交集": the numbers a result must stay within. With "号码是组选号码" checked the run
// reads them as group numbers and takes every ordering of each.
class Cpage6 : public CTextPage {
    Q_OBJECT
public:
    static constexpr int kGroupNumbersId = 1007;

    explicit Cpage6(QWidget* parent = nullptr);

    int m_bGroupNumbers = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
