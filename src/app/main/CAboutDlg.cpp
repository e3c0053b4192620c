#include "app/main/CAboutDlg.h"

#include "app/shared/Version.h"

#include "widgets/CLinkLabel.h"

#include <QPushButton>

namespace {

const ControlSpec kControls[] = {
    {-1, ControlKind::Icon, "", 11, 17, 20, 20},
    {-1, ControlKind::Static, "tarvex " TARVEX_VERSION_TEXT " 版", 40, 10, 170, 8},
    {-1, ControlKind::Static, "3D 杀号工具：按条件逐层排除号码，专为青石客户端定制", 40, 25, 230,
     8},
    {1087, ControlKind::LinkLabel, "3D遗漏统计", 40, 45, 48, 10, StyleNone, &CLinkLabel::Make},
    {1088, ControlKind::LinkLabel, "与我联系", 100, 45, 40, 10, StyleNone, &CLinkLabel::Make},
    {1, ControlKind::Button, "确定", 219, 7, 50, 14},
};

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(parent) {
    setWindowTitle(QStringLiteral("关于 tarvex"));
    UseDialogFrame();
    CreateControls(kControls, kWidth, kHeight);
    DlgItem<CLinkLabel>(1087)->SetTarget(QString::fromUtf8(kStatisticsTarget));
    DlgItem<CLinkLabel>(1088)->SetTarget(QString::fromUtf8(kMailTarget));
    auto* ok = DlgItem<QPushButton>(1);
    // The only button, so Enter may close the box as 确定 does.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString CAboutDlg::MenuText() {
    return QStringLiteral("关于 tarvex(&A)...");
}
