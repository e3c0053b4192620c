// What the window offers beside its classic controls: the menu button, the live count beside
// 杀组合, the shape split and cost of the result, where the outputs went, and the output
// folder command. None of it moves or changes a classic control.
#include "app/main/CLivePreview.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/ResultSplit.h"
#include "framework/CPropertyPage.h"
#include "framework/CSystemMenu.h"
#include "framework/DialogUnits.h"
#include "framework/Platform.h"
#include "pages/ConditionSheet.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

// Free space of the classic layout, in dialog units: right of 复式输入, above the numbers of
// list 1004's left neighbour, and between 杀组合 and 退出 where hidden button 1230 sits.
constexpr int kMenuButton[4] = {449, 2, 44, 13};
constexpr int kSplitText[4] = {449, 18, 46, 42};
constexpr int kPreviewText[4] = {428, 368, 74, 9};

QRect Place(const DialogUnits& units, const int (&r)[4]) {
    return units.Rect(r[0], r[1], r[2], r[3]);
}

} // namespace

void CMainDialog::CreateAdditions() {
    const DialogUnits units(font());
    m_menuButton = new QPushButton(QStringLiteral("菜单"), this);
    m_menuButton->setObjectName(QStringLiteral("menuButton"));
    m_menuButton->setGeometry(Place(units, kMenuButton));
    m_menuButton->setToolTip(QStringLiteral("保存方案、载入方案、历史回测、号码分析、公式杀号……"
                                            "（也可在窗口空白处单击右键）"));
    m_menuButton->setFocusPolicy(Qt::NoFocus);
    m_menuButton->setAutoDefault(false); // Enter never opens the menu
    connect(m_menuButton, &QPushButton::clicked, this, &CMainDialog::OnMenuButton);

    m_splitLabel = new QLabel(this);
    m_splitLabel->setObjectName(QStringLiteral("splitText"));
    m_splitLabel->setGeometry(Place(units, kSplitText));
    m_splitLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_previewLabel = new QLabel(this);
    m_previewLabel->setObjectName(QStringLiteral("previewText"));
    m_previewLabel->setGeometry(Place(units, kPreviewText));
    m_preview = new CLivePreview(
        m_previewLabel, [this] { return ReadForPreview(); }, this);
    // Made while the window is being shown, so each is shown by hand.
    for (QWidget* added : {static_cast<QWidget*>(m_menuButton), static_cast<QWidget*>(m_splitLabel),
                           static_cast<QWidget*>(m_previewLabel)})
        added->show();
    m_preview->Watch(this, {GetDlgItem(MainIds::kResultList)});
    m_preview->Schedule();
    ShowStaleness();
}

void CMainDialog::OnMenuButton() {
    m_systemMenu->Popup(m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height())));
}

// The same reading as a run's, told quietly: the members take what the controls show, as the
// next button would make them, and a refused text becomes the preview's short message.
CLivePreview::Reading CMainDialog::ReadForPreview() {
    QString refusal;
    if (!ReadDataQuietly(refusal))
        return {std::nullopt, refusal};
    CPropertyPage* page = m_sheet ? m_sheet->ActivePage() : nullptr;
    if (page && !page->ReadDataQuietly(refusal))
        return {std::nullopt, refusal};
    return {SettingsFromMembers(), {}};
}

void CMainDialog::ShowSplit(const tarvex::ResultSplit& split) {
    m_splitLabel->setText(QStringLiteral("豹子%1\n组三%2\n组六%3\n%4元")
                              .arg(split.leopards)
                              .arg(split.pairs)
                              .arg(split.sixes)
                              .arg(split.CostYuan()));
    m_splitLabel->setToolTip(QString::fromStdString(tarvex::ResultSplitText(split)) +
                             QStringLiteral("（每注2元）"));
}

// The count text's tooltip names the files the last step wrote, by their full paths.
void CMainDialog::ShowOutputs(bool withReasons) {
    const QDir here = QDir::current();
    QString tip = QStringLiteral("已写入：") +
                  QDir::toNativeSeparators(here.absoluteFilePath(QStringLiteral("tarvex.txt")));
    if (withReasons)
        tip += QStringLiteral("\n已写入：") +
               QDir::toNativeSeparators(here.absoluteFilePath(QStringLiteral("排除号码原因.txt")));
    GetDlgItem(MainIds::kCount)->setToolTip(tip);
}

void CMainDialog::OnOpenOutputFolder() {
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    if (Platform().ShellOpen(folder) <= 32)
        Platform().Message(this, QStringLiteral("无法打开输出文件夹“%1”。").arg(folder));
}
