#pragma once

#include "pages/CTextPage.h"

// Tab "杀2码": two-digit codes killed in any position, such as "11,12,21".
class CPage3 : public CTextPage {
    Q_OBJECT
public:
    explicit CPage3(QWidget* parent = nullptr);
};
