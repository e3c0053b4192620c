#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

#include "app/main/CAboutDlg.h"
#include "dan/DanCalculator.h"
#include "engine/Settings.h"
#include "framework/CSystemMenu.h"
#include "framework/Platform.h"
#include "widgets/CLinkLabel.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>

namespace {

const char* const kLeaveCaption = "杀完号了吗?";

} // namespace

CMainDialog::CMainDialog(QWidget* parent)
    : CDialog(parent), m_strHint(QStringLiteral("大底和复式不能同时选择")),
      m_strLastDrawLabel(QStringLiteral("输入上期开奖号")),
      m_hIcon(QStringLiteral(":/tarvex.png")) {
    setWindowTitle(QStringLiteral("3D杀号程序-青石客户端专版"));
    UseDialogFrame(true);
    const std::vector<ControlSpec> table = ControlTable();
    CreateControls(table, kWidth, kHeight);
    m_systemMenu = new CSystemMenu(this, [this](int id) { OnSysCommand(id); });
    ConnectHandlers();
    CreatePages();
    ConnectListsAndRuns();
}

CMainDialog::~CMainDialog() = default;

// The window's initialisation. The order matters: the combos are filled before the stored
// per-row choice selects in them, and the exchange reads the controls before the start values
// are set and written back.
bool CMainDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpSystemMenu();
    // The window system draws the icon of a minimised window and while it is dragged;
    // giving the window its icon is all that painting needs here.
    setWindowIcon(m_hIcon);
    DlgItem<QRadioButton>(MainIds::kDanMethod1)->setChecked(true);
    DlgItem<QRadioButton>(MainIds::kDanCount1)->setChecked(true);
    DisableAtStart();
    FillCombos();
    SelectStoredPerRow();
    UpdateData(true);
    m_strSums = QString::fromUtf8(tarvex::kSumsHint);
    m_nDanCount = 1;
    m_nSumLow = 0;
    m_nSumHigh = 27;
    SetLinkTargets();
    EnableDlgItem(MainIds::kSums, false);
    SetUpListColumns();
    UpdateData(false);
    UpdateData(true);
    CreateConditionSheet();
    m_nDanMethod = 1;
    CreateAdditions();
    return true;
}

void CMainDialog::DisableAtStart() {
    EnableDlgItems({MainIds::kExclude[0],
                    MainIds::kExclude[1],
                    MainIds::kExclude[2],
                    MainIds::kPositionalKill[0],
                    MainIds::kPositionalKill[1],
                    MainIds::kPositionalKill[2],
                    MainIds::kCompound[0],
                    MainIds::kCompound[1],
                    MainIds::kCompound[2],
                    MainIds::kSums,
                    MainIds::kChooseBase,
                    MainIds::kExport,
                    MainIds::kToGroup,
                    MainIds::kSumsAll,
                    MainIds::kMatchAdd,
                    MainIds::kMatchDelete,
                    MainIds::kPositionSizeAdd,
                    MainIds::kPositionSizeDelete,
                    MainIds::kToleranceRun,
                    MainIds::kResultBox,
                    MainIds::kMatchCount[1],
                    MainIds::kMatchCount[2],
                    MainIds::kMatchCount[3],
                    MainIds::kMatchCount[0],
                    MainIds::kMatchNumbers,
                    MainIds::kMatchList,
                    MainIds::kPositionSizeList,
                    MainIds::kToleranceLevel,
                    MainIds::kPositionSizeRelation,
                    MainIds::kPositionSizeRight,
                    MainIds::kPositionSizeLeft},
                   false);
}

void CMainDialog::FillCombos() {
    auto* perRow = DlgItem<QComboBox>(MainIds::kPerRow);
    for (int n = 1; n <= 20; ++n)
        perRow->addItem(QString::number(n));
    perRow->setCurrentIndex(0);
    auto* level = DlgItem<QComboBox>(MainIds::kToleranceLevel);
    for (int n = 1; n <= 17; ++n)
        level->addItem(QString::number(n));
    const QStringList positions{QStringLiteral("百"), QStringLiteral("十"), QStringLiteral("个")};
    DlgItem<QComboBox>(MainIds::kPositionSizeLeft)->addItems(positions);
    DlgItem<QComboBox>(MainIds::kPositionSizeRight)->addItems(positions);
    DlgItem<QComboBox>(MainIds::kPositionSizeRelation)
        ->addItems({QStringLiteral("大于"), QStringLiteral("小于"), QStringLiteral("等于"),
                    QStringLiteral("大于等于"), QStringLiteral("小于等于"),
                    QStringLiteral("不等于")});
}

void CMainDialog::SelectStoredPerRow() {
    const QString stored = Platform().ReadProfileString(QStringLiteral("row"),
                                                        QStringLiteral("row"), QStringLiteral("1"));
    auto* perRow = DlgItem<QComboBox>(MainIds::kPerRow);
    // Converted like atoi: the leading decimal number, 0 when there is none.
    const long long index = tarvex::LeadingInteger(stored.toStdString());
    // An index the list does not have leaves it without a selection.
    perRow->setCurrentIndex(index >= 0 && index < perRow->count() ? static_cast<int>(index) : -1);
    DlgItem<QComboBox>(MainIds::kToleranceLevel)->setCurrentIndex(0);
    DlgItem<QComboBox>(MainIds::kPositionSizeLeft)->setCurrentIndex(0);
    DlgItem<QComboBox>(MainIds::kPositionSizeRelation)->setCurrentIndex(0);
    DlgItem<QComboBox>(MainIds::kPositionSizeRight)->setCurrentIndex(1);
}

void CMainDialog::SetLinkTargets() {
    DlgItem<CLinkLabel>(MainIds::kForumLink)->SetTarget(QStringLiteral("https://bbs.17500.cn/"));
    DlgItem<CLinkLabel>(MainIds::k3dOmissionLink)
        ->SetTarget(QStringLiteral("https://www.17500.cn/chart/3d-yl.html"));
    DlgItem<CLinkLabel>(MainIds::kP3OmissionLink)
        ->SetTarget(QStringLiteral("https://www.17500.cn/chart/p3-yl.html"));
    DlgItem<CLinkLabel>(MainIds::kListenLink)
        ->SetTarget(QStringLiteral("http://live.cnr.cn/listen/jjzs.m3u8"));
}

static void SetColumns(QTableWidget* table, const QStringList& titles, const QList<int>& widths) {
    table->setColumnCount(static_cast<int>(titles.size()));
    for (int c = 0; c < titles.size(); ++c) {
        auto* header = new QTableWidgetItem(titles[c]);
        header->setTextAlignment(Qt::AlignCenter);
        table->setHorizontalHeaderItem(c, header);
        table->setColumnWidth(c, widths[c]);
    }
}

void CMainDialog::SetUpListColumns() {
    SetColumns(DlgItem<QTableWidget>(MainIds::kMatchList),
               {QStringLiteral("号码"), QStringLiteral("出数")}, {70, 50});
    SetColumns(DlgItem<QTableWidget>(MainIds::kPositionSizeList),
               {QStringLiteral("位数"), QStringLiteral("大小"), QStringLiteral("位数")},
               {50, 50, 50});
}

void CMainDialog::SetUpSystemMenu() {
    AddSchemeMenuItems();
    const QString aboutText = CAboutDlg::MenuText();
    if (aboutText.isEmpty())
        return;
    m_systemMenu->AddSeparator();
    m_systemMenu->AddItem(kAboutCommand, aboutText);
}

void CMainDialog::OnSysCommand(int id) {
    if (OnSchemeCommand(id & 0xFFF0))
        return;
    if ((id & 0xFFF0) == kAboutCommand) {
        RunAbout();
        return;
    }
    CSystemMenu::RunWindowCommand(this, id);
}

void CMainDialog::RunAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainDialog::contextMenuEvent(QContextMenuEvent* event) {
    m_systemMenu->Popup(event->globalPos());
    event->accept();
}

#ifdef Q_OS_WIN
bool CMainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    int command = 0;
    // Our own items (About, schemes, backtest) are handled here; the window's own commands
    // go on to the default processing.
    if (m_systemMenu->IsNativeCommand(eventType, message, &command)) {
        const int id = command & 0xFFF0;
        const bool handled = id == kAboutCommand || OnSchemeCommand(id);
        if (id == kAboutCommand)
            RunAbout();
        if (handled) {
            *result = 0;
            return true;
        }
    }
    return CDialog::nativeEvent(eventType, message, result);
}
#endif

bool CMainDialog::ConfirmLeave(const QString& text) {
    if (!Platform().AskYesNo(this, text, QString::fromUtf8(kLeaveCaption)))
        return false;
    // A control that refuses its text has been reported and focused; the window stays so
    // that it can be put right.
    if (!UpdateData(true))
        return false;
    Platform().WriteProfileString(QStringLiteral("row"), QStringLiteral("row"),
                                  QString::asprintf("%d", m_nPerRow));
    return true;
}

void CMainDialog::OnExit() {
    if (ConfirmLeave(QStringLiteral("祝您好运!")))
        accept();
}

// Escape, the close box and Alt+F4 all arrive here; each asks before the window ends.
void CMainDialog::reject() {
    if (ConfirmLeave(QStringLiteral("祝您好运！")))
        CDialog::reject();
}
