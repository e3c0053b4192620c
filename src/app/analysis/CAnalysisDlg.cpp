#include "app/analysis/CAnalysisDlg.h"
#include "app/analysis/COmissionChart.h"
#include "app/analysis/CTrendDlg.h"
#include "app/audit/CAuditDlg.h"
#include "app/shared/CHistoryBar.h"
#include "app/shared/CNumberItem.h"
#include "app/shared/WindowHistory.h"

#include "framework/DialogUnits.h"
#include "framework/FixedPitchFont.h"
#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "history/AnalysisText.h"
#include "widgets/CSkinButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
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

// Below the classic controls, in dialog units: a row for the history file, then the table and
// the chart, which share what the window grows by (the table the larger part).
const int kMargin = 7;
const int kHistoryRow[4] = {7, 194, 284, 14};
const int kNoticeRow[4] = {7, 209, 284, 9};
const int kTableTop = 219;
const int kTableHeight = 143;
const int kChartGap = 4;
const int kChartHeight = 100;
const double kTableShare = 0.6;

// Headings of four characters take two lines, so all seven columns fit the default width.
const QStringList kOmissionHeadings = {"项目",       "出现",       "当前\n遗漏", "最大\n遗漏",
                                       "平均\n遗漏", "理论\n遗漏", "欲出"};
const QStringList kDanHeadings = {"项目", "测试\n期数", "命中",      "命中率",
                                  "机会", "当前\n连错", "最大\n连错"};

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
    // The default size is the least; the window grows, so it may be maximised too.
    setMinimumSize(size());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // The text's columns are padded with blanks for a Chinese character two places wide.
    DlgItem<QPlainTextEdit>(kTextId)->setFont(FixedPitchFont::Like(font()));
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
    m_addFile->setGeometry(units.Rect(61, 176, 50, 14));
    CHistoryBar::Options history;
    history.section = QStringLiteral("analysis");
    history.lastDefault = kDefaultLast;
    history.chooseButton = DlgItem<QPushButton>(kHistoryButton);
    history.addButton = m_addFile;
    m_historyBar = new CHistoryBar(history, this);
    // A row of its own, wide enough for the file's name and a draw count of six digits.
    m_historyBar->setGeometry(
        units.Rect(kHistoryRow[0], kHistoryRow[1], kHistoryRow[2], kHistoryRow[3]));
    m_historyBar->LastDraws()->setMinimumWidth(m_historyBar->LastDraws()->sizeHint().width());
    // The history's age gets a line of its own above the table, clear of the classic controls.
    m_historyBar->Notice()->setGeometry(
        units.Rect(kNoticeRow[0], kNoticeRow[1], kNoticeRow[2], kNoticeRow[3]));
    m_historyBar->Notice()->setWordWrap(false);
    connect(m_historyBar, &CHistoryBar::Chosen, this, &CAnalysisDlg::OnHistoryChanged);
    CreateExtraButtons();
    m_table = new QTableWidget(0, 7, this);
    m_table->verticalHeader()->setVisible(false);
    // Rows as tall as the text needs, so the default size shows a dozen of them.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setHorizontalHeaderLabels(kOmissionHeadings);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_chart = new COmissionChart(this);
    PlaceGrowingControls();
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

// Beside 开奖历史… and 加入文件…, so no classic control moves.
void CAnalysisDlg::CreateExtraButtons() {
    const DialogUnits units(font());
    m_trendButton = new QPushButton(QStringLiteral("走势图…"), this);
    m_trendButton->setAutoDefault(false);
    m_trendButton->setGeometry(units.Rect(115, 176, 50, 14));
    connect(m_trendButton, &QPushButton::clicked, this, &CAnalysisDlg::OpenTrend);
    // The classic row is full: the history row, which has room, takes it.
    m_auditButton = new QPushButton(QStringLiteral("随机性检验…"), this);
    m_auditButton->setObjectName(QStringLiteral("auditButton"));
    m_auditButton->setAutoDefault(false);
    m_historyBar->Row()->addWidget(m_auditButton);
    connect(m_auditButton, &QPushButton::clicked, this, &CAnalysisDlg::OpenAudit);
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

// Modeless too, on the analyses' files and window.
bool CAnalysisDlg::OpenAudit() {
    if (History().empty()) {
        Platform().Message(this, QStringLiteral("请先点“开奖历史…”选择开奖历史文件。"));
        return false;
    }
    if (!m_audit) {
        m_audit = new CAuditDlg(this);
        m_audit->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_audit->UseHistory(HistoryPaths(), LastDraws());
    m_audit->show();
    m_audit->raise();
    return true;
}

CAuditDlg* CAnalysisDlg::AuditWindow() const {
    return m_audit.data();
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
    FitColumns();
    // Another analysis is read from its first row, whatever the last one was scrolled to.
    m_table->scrollToTop();
    m_table->horizontalScrollBar()->setValue(0);
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
    m_table->setHorizontalHeaderLabels(kOmissionHeadings);
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
    m_table->setHorizontalHeaderLabels(kDanHeadings);
    m_table->setRowCount(static_cast<int>(m_analysis.danRows.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const tarvex::DanMethodRow& row = m_analysis.danRows[static_cast<std::size_t>(r)];
        auto* item = new QTableWidgetItem(FromUtf8(row.item));
        item->setData(Qt::UserRole, r);
        QTableWidgetItem* cells[] = {
            item,
            NumberCell(row.tested, {}),
            NumberCell(row.hits, {}),
            NumberCell(row.hitRate.value_or(-1), FromUtf8(tarvex::AnalysisText::HitPercent(row))),
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

// Columns as wide as their contents, the room left over shared among them; wider than the
// table, the horizontal scroll bar reaches the rest.
void CAnalysisDlg::FitColumns() {
    m_table->resizeColumnsToContents();
    const int columns = m_table->columnCount();
    int used = 0;
    for (int c = 0; c < columns; ++c)
        used += m_table->columnWidth(c);
    // Room for the vertical scroll bar is kept whether or not it shows yet: it comes with the
    // rows, after this.
    const int room = m_table->maximumViewportSize().width() -
                     m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_table);
    const int spare = room - used;
    if (spare <= 0 || columns == 0)
        return;
    for (int c = 0; c < columns; ++c)
        m_table->setColumnWidth(c, m_table->columnWidth(c) + spare / columns +
                                       (c < spare % columns ? 1 : 0));
}

void CAnalysisDlg::PlaceGrowingControls() {
    const DialogUnits units(font());
    const QSize base = units.Size(kWidth, kHeight);
    const int wider = std::max(0, width() - base.width());
    const int taller = std::max(0, height() - base.height());
    const int tableTaller = int(taller * kTableShare);
    const int right = width() - units.X(kMargin);
    m_historyBar->setGeometry(
        QRect(units.Rect(kHistoryRow[0], kHistoryRow[1], kHistoryRow[2], kHistoryRow[3]).topLeft(),
              QPoint(right - 1, units.Y(kHistoryRow[1] + kHistoryRow[3]) - 1)));
    m_historyBar->Notice()->setGeometry(
        QRect(units.Rect(kNoticeRow[0], kNoticeRow[1], kNoticeRow[2], kNoticeRow[3]).topLeft(),
              QPoint(right - 1, units.Y(kNoticeRow[1] + kNoticeRow[3]) - 1)));
    const QRect table = units.Rect(kMargin, kTableTop, kWidth - 2 * kMargin, kTableHeight);
    m_table->setGeometry(table.adjusted(0, 0, wider, tableTaller));
    FitColumns();
    const QRect chart = units.Rect(kMargin, kTableTop + kTableHeight + kChartGap,
                                   kWidth - 2 * kMargin, kChartHeight);
    m_chart->setGeometry(
        chart.translated(0, tableTaller).adjusted(0, 0, wider, taller - tableTaller));
}

void CAnalysisDlg::resizeEvent(QResizeEvent* event) {
    CDialog::resizeEvent(event);
    if (m_table)
        PlaceGrowingControls();
}

bool CAnalysisDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int id : kAnalysisButtons) {
        DlgItem<CSkinButton>(id)->SetSkin(146, 5, 5, 5, 5, 4);
    }
    m_historyBar->LoadRemembered();
    return true;
}
