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
#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace {

// Free space of the classic layout, in dialog units: right of 复式输入, above the numbers of
// list 1004's left neighbour, and between 杀组合 and 退出 where hidden button 1230 sits.
constexpr int kMenuButton[4] = {449, 2, 44, 13};
constexpr int kSplitText[4] = {449, 18, 46, 42};
// Below 容错 and beside 杀组合, over hidden button 1230: two lines for a stop message.
constexpr int kPreviewText[4] = {428, 365, 74, 17};
constexpr int kStaleText[4] = {449, 62, 46, 26};

// What the kill run reads: the result box (which the run itself fills), the numbers per
// line and the tolerance level do not make another kill run.
tarvex::Settings KillConditions(tarvex::Settings settings) {
    settings.result.clear();
    settings.perRow = 0;
    settings.level = 0;
    settings.rules.clear();
    return settings;
}

QRect Place(const DialogUnits& units, const int (&r)[4]) {
    return units.Rect(r[0], r[1], r[2], r[3]);
}

// A wrapped text in a smaller type when the window's own needs more lines than the place has.
void FitWrapped(QLabel* label) {
    QFont font = label->font();
    while (label->heightForWidth(label->width()) > label->height() &&
           font.pointSizeF() > CLivePreview::kSmallestPoints) {
        font.setPointSizeF(font.pointSizeF() * 0.9);
        label->setFont(font);
    }
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
    connect(m_preview, &CLivePreview::Shown, this, &CMainDialog::OnPreviewShown);

    m_staleLabel = new QLabel(QStringLiteral("条件已改动，结果是上次杀组合的"), this);
    m_staleLabel->setObjectName(QStringLiteral("staleText"));
    m_staleLabel->setGeometry(Place(units, kStaleText));
    m_staleLabel->setWordWrap(true);
    m_staleLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_staleLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    FitWrapped(m_staleLabel);
    m_staleLabel->setToolTip(
        QStringLiteral("结果框、列表和数量是上次杀组合时的条件算出的；按容错仍在这份结果上按现在的"
                       "条件容错，重新杀组合才按现在的条件"));
    // Made while the window is being shown, so each is shown by hand.
    for (QWidget* added : {static_cast<QWidget*>(m_menuButton), static_cast<QWidget*>(m_splitLabel),
                           static_cast<QWidget*>(m_previewLabel)})
        added->show();
    m_staleLabel->hide();
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
        return {std::nullopt, refusal, std::nullopt};
    CPropertyPage* page = m_sheet ? m_sheet->ActivePage() : nullptr;
    if (page && !page->ReadDataQuietly(refusal))
        return {std::nullopt, refusal, std::nullopt};
    CLivePreview::Reading reading{SettingsFromMembers(), {}, std::nullopt};
    if (m_killSettings) {
        m_conditionsChanged = KillConditions(*reading.settings) != KillConditions(*m_killSettings);
        // 容错 reads the killed numbers, list 1004 and the result box as they are now.
        reading.tolerance = tarvex::ToleranceInput{m_session.Killed(), ResultListItems(),
                                                   m_strResult.toStdString()};
    }
    return reading;
}

// The live count is in: the tolerance preview and the changed-conditions note follow it.
void CMainDialog::OnPreviewShown() {
    if (const auto& counts = m_preview->Tolerance())
        ShowTolerancePreview(*counts);
    m_staleLabel->setVisible(m_killSettings.has_value() && m_conditionsChanged);
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
