#include "app/audit/CAuditDlg.h"

#include "app/audit/CAuditChart.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/CHistoryBar.h"
#include "framework/Utf8Text.h"
#include "history/RandomnessText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { kName, kStatistic, kDf, kP, kHolm, kVerdict, kNote, kColumns };

QTableWidgetItem* Cell(const std::string& text, bool figure) {
    auto* item = new QTableWidgetItem(FromUtf8(text));
    if (figure)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

CAuditDlg::CAuditDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("auditWindow"));
    setWindowTitle(QStringLiteral("随机性检验"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    BuildControls();
    // The least size keeps half a dozen rows and a readable chart.
    setMinimumSize(640, 480);
    resize(900, 660);
    if (m_historyBar->LoadRemembered())
        RunTests();
}

void CAuditDlg::BuildControls() {
    CHistoryBar::Options history;
    history.section = QStringLiteral("audit");
    history.lastMinimum = 0; // 全部 first: the whole history is the usual question
    history.lastDefault = 0;
    history.addFile = true;
    m_historyBar = new CHistoryBar(history, this);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("auditSummary"));
    m_summary->setWordWrap(true);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_table = new QTableWidget(0, kColumns, this);
    m_table->setObjectName(QStringLiteral("auditTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("检验"), QStringLiteral("统计量"),
                                        QStringLiteral("自由度"), QStringLiteral("p"),
                                        QStringLiteral("校正 p"), QStringLiteral("结论"),
                                        QStringLiteral("说明")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(false);
    // Rows as tall as their text, so the least size still shows several tests.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_chart = new CAuditChart(this);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({320, 160});

    auto* explain = new QLabel(
        QStringLiteral("p 值是公平开奖下出现这样或更极端结果的机会；同时做许多项检验，总有几项 p "
                       "偶然很小，所以按 Holm 方法校正后的 p 值才是该看的。"),
        this);
    explain->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_historyBar);
    layout->addWidget(m_summary);
    layout->addWidget(split, 1);
    layout->addWidget(explain);
    layout->addWidget(buttons);

    connect(m_historyBar, &CHistoryBar::Chosen, this, &CAuditDlg::RunTests);
    connect(m_historyBar->LastDraws(), &QSpinBox::editingFinished, this, &CAuditDlg::RunTests);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CAuditDlg::OnRowSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CAuditDlg::UseHistory(const QStringList& paths, std::size_t last) {
    if (!paths.isEmpty() && paths != m_historyBar->Paths() && m_historyBar->Load(paths.front())) {
        for (qsizetype i = 1; i < paths.size(); ++i)
            m_historyBar->AddFile(paths[i]);
    }
    m_historyBar->LastDraws()->setValue(static_cast<int>(last));
    RunTests();
}

void CAuditDlg::RunTests() {
    const std::vector<tarvex::HistoricDraw>& draws = m_historyBar->Draws();
    if (draws.empty())
        return;
    const std::size_t last = m_historyBar->Last();
    tarvex::RandomnessAudit audit;
    // Fast on any history a player keeps; off the window's thread all the same, so a very
    // long one never freezes it.
    CBackgroundRun::Run(this, QString(), [&](const tarvex::ProgressFn&) {
        audit = tarvex::RandomnessAudit::Of(draws, last);
    });
    m_audit = std::move(audit);
    ShowAudit();
}

void CAuditDlg::ShowAudit() {
    m_summary->setText(FromUtf8(tarvex::RandomnessText::Summary(m_audit)));
    m_table->setRowCount(static_cast<int>(m_audit.tests.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const tarvex::RandomnessTest& test = m_audit.tests[static_cast<std::size_t>(row)];
        m_table->setItem(row, kName, Cell(test.name, false));
        m_table->setItem(row, kStatistic, Cell(tarvex::RandomnessText::Statistic(test), true));
        m_table->setItem(row, kDf, Cell(tarvex::RandomnessText::Df(test), true));
        m_table->setItem(row, kP, Cell(tarvex::RandomnessText::P(test.p), true));
        m_table->setItem(row, kHolm, Cell(tarvex::RandomnessText::P(test.pHolm), true));
        QTableWidgetItem* verdict = Cell(tarvex::RandomnessText::Verdict(test), false);
        if (test.significant)
            verdict->setForeground(QColor(0xB0, 0x00, 0x00));
        m_table->setItem(row, kVerdict, verdict);
        m_table->setItem(row, kNote, Cell(test.note, false));
    }
    m_table->resizeColumnsToContents();
    if (m_table->rowCount() > 0)
        m_table->selectRow(std::max(0, m_table->currentRow()));
    OnRowSelected();
}

void CAuditDlg::OnRowSelected() {
    const int row = m_table->currentRow();
    m_chart->SetTest(row >= 0 && row < static_cast<int>(m_audit.tests.size())
                         ? &m_audit.tests[static_cast<std::size_t>(row)]
                         : nullptr);
}
