#include "app/CAnalysisDlg.h"

#include "framework/DialogUnits.h"
#include "widgets/CSkinButton.h"

#include <QComboBox>
#include <QPushButton>

namespace {

struct AnalysisButton {
    int id;
    const char* caption;
};

// Two rows of five, in the order the window lists them.
const AnalysisButton kButtons[] = {
    {1227, "012路分析"}, {1228, "和值分析"}, {1229, "合值分析"}, {1217, "跨度分析"},
    {1218, "奇偶分析"},  {1219, "单码分析"}, {1220, "大小分析"}, {1221, "综合分析"},
    {1222, "石榴分析"},  {1234, "云杉分析"},
};
const int kButtonX = 7;
const int kButtonY = 7;
const int kButtonW = 52;
const int kButtonH = 15;
const int kButtonStepX = 58;
const int kButtonStepY = 19;

const ControlSpec kControls[] = {
    {1027, ControlKind::MultiLineEdit, "", 7, 47, 284, 104},
    {1235, ControlKind::DropList, "", 7, 157, 38, 13},
    {1236, ControlKind::DropList, "", 49, 157, 38, 13},
    {1237, ControlKind::DropList, "", 91, 157, 38, 13},
    {1238, ControlKind::DropList, "", 133, 157, 38, 13},
    {1239, ControlKind::DropList, "", 175, 157, 38, 13},
    {1029, ControlKind::Edit, "", 217, 157, 38, 13},
    {1240, ControlKind::Button, "添加", 259, 157, 32, 13},
    {1, ControlKind::Button, "确定", 185, 176, 50, 14},
    {2, ControlKind::Button, "取消", 241, 176, 50, 14},
};

} // namespace

CAnalysisDlg::CAnalysisDlg(QWidget* parent) : CDialog(parent) {
    setWindowTitle(QStringLiteral("基本分析"));
    UseDialogFrame();
    CreateAnalysisButtons();
    CreateControls(kControls, kWidth, kHeight);
    for (int id : {1235, 1236}) {
        DlgItem<QComboBox>(id)->addItems(
            {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("全部")});
    }
    auto* ok = DlgItem<QPushButton>(1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(DlgItem<QPushButton>(2), &QPushButton::clicked, this, &QDialog::reject);
}

void CAnalysisDlg::CreateAnalysisButtons() {
    const DialogUnits units(font());
    for (int i = 0; i < int(std::size(kButtons)); ++i) {
        auto* button = new CSkinButton(QString::fromUtf8(kButtons[i].caption), this);
        button->setObjectName(QStringLiteral("ctl%1").arg(kButtons[i].id));
        button->setAutoDefault(false);
        button->setGeometry(units.Rect(kButtonX + (i % 5) * kButtonStepX,
                                       kButtonY + (i / 5) * kButtonStepY, kButtonW, kButtonH));
        RegisterControl(kButtons[i].id, button);
    }
}

bool CAnalysisDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int id : kAnalysisButtons) {
        DlgItem<CSkinButton>(id)->SetSkin(146, 5, 5, 5, 5, 4);
    }
    return true;
}
