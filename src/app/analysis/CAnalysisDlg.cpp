#include "app/analysis/CAnalysisDlg.h"
#include "app/analysis/COmissionChart.h"
#include "app/analysis/CTrendDlg.h"
#include "app/shared/CHistoryBar.h"
#include "app/shared/CNumberItem.h"
#include "app/shared/WindowHistory.h"

#include "framework/DialogUnits.h"
#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "history/AnalysisText.h"
#include "widgets/CSkinButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <utility>

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

const int kDefaultLast = 100;

// Numbers sort as numbers, not as text; "-" (no value, given as -1) sorts first.
QTableWidgetItem* NumberCell(double value, const QString& text) {
    return new CNumberItem(text.isEmpty() ? QString::number(value) : text, value);
}

QTableWidgetItem* Cell(const std::optional<double>& value) {
    return NumberCell(value.value_or(-1.0), FromUtf8(tarvex::AnalysisText::Decimal(value)));
}

const ControlSpec kControls[] = {
    {CAnalysisDlg::kTextId, ControlKind::MultiLineEdit, "", 7, 47, 284, 104},
    {CAnalysisDlg::kDrawsId, ControlKind::DropList, "", 7, 157, 38, 13},
    {CAnalysisDlg::kSecondDrawsId, ControlKind::DropList, "", 49, 157, 38, 13},
    {CAnalysisDlg::kActionId, ControlKind::DropList, "", 91, 157, 38, 13},
    {CAnalysisDlg::kItemId, ControlKind::DropList, "", 133, 157, 38, 13},
    {CAnalysisDlg::kAnalysisId, ControlKind::DropList, "", 175, 157, 38, 13},
    {CAnalysisDlg::kTargetId, ControlKind::Edit, "", 217, 157, 38, 13},
    {CAnalysisDlg::kAddId, ControlKind::Button, "添加", 259, 157, 32, 13},
    {1, ControlKind::Button, "确定", 185, 176, 50, 14},
    {2, ControlKind::Button, "取消", 241, 176, 50, 14},
    {CAnalysisDlg::kHistoryButton, ControlKind::Button, "开奖历史…", 7, 176, 50, 14},
};

} // namespace

CAnalysisDlg::CAnalysisDlg(QWidget* parent, ApplyFn apply)
    : CDialog(parent), m_apply(std::move(apply)) {
    setWindowTitle(QStringLiteral("基本分析"));
    UseDialogFrame();
    CreateAnalysisButtons();
    CreateControls(kControls, kWidth, kHeight);
    for (int id : {CAnalysisDlg::kDrawsId, CAnalysisDlg::kSecondDrawsId}) {
        DlgItem<QComboBox>(id)->addItems(
            {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("全部")});
    }
    auto* ok = DlgItem<QPushButton>(1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(DlgItem<QPushButton>(2), &QPushButton::clicked, this, &QDialog::reject);
    CreateHistoryAndTable();
    SetUpConditionControls();
}

void CAnalysisDlg::CreateHistoryAndTable() {
    const DialogUnits units(font());
    m_addFile = new QPushButton(QStringLiteral("加入文件…"), this);
    m_addFile->setGeometry(units.Rect(7, 194, 50, 14));
    CHistoryBar::Options history;
    history.section = QStringLiteral("analysis");
    history.lastDefault = kDefaultLast;
    history.chooseButton = DlgItem<QPushButton>(kHistoryButton);
    history.addButton = m_addFile;
    m_historyBar = new CHistoryBar(history, this);
    m_historyBar->setGeometry(units.Rect(61, 176, 121, 14));
    // The history's age gets a line of its own above the table, clear of the classic controls.
    m_historyBar->Notice()->setGeometry(units.Rect(7, 211, 284, 9));
    m_historyBar->Notice()->setWordWrap(false);
    connect(m_historyBar, &CHistoryBar::Chosen, this, &CAnalysisDlg::OnHistoryChanged);
    CreateExtraButtons();
    m_table = new QTableWidget(0, 7, this);
    m_table->setGeometry(units.Rect(7, 222, 284, 140));
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setHorizontalHeaderLabels(
        {"项目", "出现", "当前遗漏", "最大遗漏", "平均遗漏", "理论遗漏", "欲出"});
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_chart = new COmissionChart(this);
    m_chart->setGeometry(units.Rect(7, 366, 284, 100));
    for (std::size_t i = 0; i < kAnalysisButtons.size(); ++i) {
        const tarvex::AnalysisKind kind = tarvex::kAnalysisKinds[i];
        connect(DlgItem<QPushButton>(kAnalysisButtons[i]), &QPushButton::clicked, this,
                [this, kind] { RunAnalysis(kind); });
    }
}

QString CAnalysisDlg::DefaultHistoryPath() {
    return WindowHistory::StartPath(QStringLiteral("analysis"));
}

bool CAnalysisDlg::LoadHistory(const QString& path) {
    return m_historyBar->Load(path);
}

bool CAnalysisDlg::AddHistoryFile(const QString& path) {
    return m_historyBar->AddFile(path);
}

const QStringList& CAnalysisDlg::HistoryPaths() const {
    return m_historyBar->Paths();
}

const std::vector<tarvex::HistoricDraw>& CAnalysisDlg::History() const {
    return m_historyBar->Draws();
}

// Figures of the history before are not left on show: the analysis on show is run again.
void CAnalysisDlg::OnHistoryChanged() {
    if (m_table->rowCount() > 0)
        RunAnalysis(m_analysis.kind);
}

std::size_t CAnalysisDlg::LastDraws() {
    return m_historyBar->Last();
}

// A second row under the history row, so no control above moves.
void CAnalysisDlg::CreateExtraButtons() {
    const DialogUnits units(font());
    m_trendButton = new QPushButton(QStringLiteral("走势图…"), this);
    m_trendButton->setAutoDefault(false);
    m_trendButton->setGeometry(units.Rect(61, 194, 50, 14));
    connect(m_trendButton, &QPushButton::clicked, this, &CAnalysisDlg::OpenTrend);
}

// Modeless, so the player can keep it open beside the analyses; a new one replaces it.
bool CAnalysisDlg::OpenTrend() {
    if (History().empty()) {
        Platform().Message(this, QStringLiteral("请先点“开奖历史…”选择开奖历史文件。"));
        return false;
    }
    if (m_trend)
        m_trend->close();
    m_trend = new CTrendDlg(History(), LastDraws(), this);
    m_trend->setAttribute(Qt::WA_DeleteOnClose);
    m_trend->show();
    return true;
}

CTrendDlg* CAnalysisDlg::TrendWindow() const {
    return m_trend.data();
}

void CAnalysisDlg::RunAnalysis(tarvex::AnalysisKind kind) {
    if (History().empty()) {
        Platform().Message(this, QStringLiteral("请先点“开奖历史…”选择开奖历史文件。"));
        return;
    }
    m_analysis = tarvex::RunAnalysis(kind, History(), LastDraws());
    m_table->setSortingEnabled(false);
    if (kind == tarvex::AnalysisKind::DanMethods)
        FillDanTable();
    else
        FillOmissionTable();
    // A new analysis starts in its own item order; a header click sorts it.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId)
        ->setPlainText(FromUtf8(tarvex::AnalysisText::Table(m_analysis)));
    // 云杉分析 judges dan methods, whose hit rates and chances the table shows; it has no items.
    m_chart->SetRows(m_analysis.rows,
                     kind == tarvex::AnalysisKind::DanMethods
                         ? QStringLiteral("云杉分析比较算胆法的命中率与机会，见上表")
                         : QString());
    FillConditionCombos();
}

void CAnalysisDlg::FillOmissionTable() {
    m_table->clear();
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels(
        {"项目", "出现", "当前遗漏", "最大遗漏", "平均遗漏", "理论遗漏", "欲出"});
    m_table->setRowCount(static_cast<int>(m_analysis.rows.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const tarvex::OmissionRow& row = m_analysis.rows[static_cast<std::size_t>(r)];
        auto* item = new QTableWidgetItem(FromUtf8(row.item));
        item->setData(Qt::UserRole, r); // the row of the analysis, whatever the sort order
        QTableWidgetItem* cells[] = {item,
                                     NumberCell(row.hits, {}),
                                     NumberCell(row.current, {}),
                                     NumberCell(row.max, {}),
                                     Cell(row.average),
                                     Cell(row.expected),
                                     Cell(row.Due())};
        const bool overdue = row.Overdue();
        for (int c = 0; c < 7; ++c) {
            if (overdue) {
                QFont bold = cells[c]->font();
                bold.setBold(true);
                cells[c]->setFont(bold);
                cells[c]->setBackground(QColor(255, 205, 205));
                cells[c]->setToolTip(
                    QStringLiteral("当前遗漏 %1 超过以往最大遗漏 %2 或理论遗漏的两倍")
                        .arg(row.current)
                        .arg(row.maxBefore));
            }
            m_table->setItem(r, c, cells[c]);
        }
    }
}

void CAnalysisDlg::FillDanTable() {
    m_table->clear();
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels(
        {"项目", "测试期数", "命中", "命中率", "机会", "当前连错", "最大连错"});
    m_table->setRowCount(static_cast<int>(m_analysis.danRows.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const tarvex::DanMethodRow& row = m_analysis.danRows[static_cast<std::size_t>(r)];
        auto* item = new QTableWidgetItem(FromUtf8(row.item));
        item->setData(Qt::UserRole, r);
        QTableWidgetItem* cells[] = {
            item,
            NumberCell(row.tested, {}),
            NumberCell(row.hits, {}),
            NumberCell(row.hitRate.value_or(-1),
                       FromUtf8(tarvex::AnalysisText::Percent(row.hitRate))),
            NumberCell(row.chance.value_or(-1),
                       FromUtf8(tarvex::AnalysisText::Percent(row.chance))),
            NumberCell(row.currentMiss, {}),
            NumberCell(row.maxMiss, {})};
        for (int c = 0; c < 7; ++c)
            m_table->setItem(r, c, cells[c]);
    }
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
    m_historyBar->LoadRemembered();
    return true;
}
