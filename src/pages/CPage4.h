#pragma once

#include "pages/CTextPage.h"

// Tab "定位杀2码": positional two-digit codes to kill, such as "1*1,11*".
class CPage4 : public CTextPage {
    Q_OBJECT
public:
    explicit CPage4(QWidget* parent = nullptr);
};
