#pragma once

#include "pages/CTextPage.h"

// Tab "垃圾复式": junk compounds pasted as they come, such as "012789*0123789*0178".
class CPage2 : public CTextPage {
    Q_OBJECT
public:
    explicit CPage2(QWidget* parent = nullptr);
};
