#pragma once

#include "pages/CTextPage.h"

// Tab "杀直选": direct numbers to kill, such as "112,123,213".
class CPage1 : public CTextPage {
    Q_OBJECT
public:
    explicit CPage1(QWidget* parent = nullptr);
};
