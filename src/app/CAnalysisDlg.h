#pragma once

#include "framework/CDialog.h"

#include <array>

// The analysis window "基本分析" behind the main window's hidden button 1230: ten skinned
// analysis buttons, a text box, selectors and an add button. None of them has a handler yet;
// only 确定 and 取消 act, by closing the window.
class CAnalysisDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 139;
    static constexpr int kWidth = 298; // dialog units
    static constexpr int kHeight = 196;
    static constexpr std::array<int, 10> kAnalysisButtons = {1227, 1228, 1229, 1217, 1218,
                                                             1219, 1220, 1221, 1222, 1234};

    explicit CAnalysisDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;

private:
    void CreateAnalysisButtons();
};
