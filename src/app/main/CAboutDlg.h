#pragma once

#include "framework/CDialog.h"

// The About box: icon, version, a line about the program, 确定 and two links.
class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 276; // dialog units
    static constexpr int kHeight = 82;
    static constexpr const char* kStatisticsTarget = "https://www.17500.cn/chart/3d-yl.html";
    static constexpr const char* kMailTarget = "mailto:tarvex@example.com";

    explicit CAboutDlg(QWidget* parent = nullptr);

    // The text of the About item of the system menu.
    static QString MenuText();
};
