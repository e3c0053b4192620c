#include "app/backtest/CBacktestDlg.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/CHistoryBar.h"

#include "app/backtest/CChanceTable.h"
#include "app/backtest/CKillRateChart.h"
#include "engine/BacktestText.h"
#include "engine/RunText.h"
#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "history/RuleTargets.h"
#include "history/RuleText.h"
#include "io/TextFileWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const kExportFilter = "文件名(*.TXT)|*.TXT||";

QString RuleName(std::size_t index) {
    return QStringLiteral("规则%1").arg(index + 1);
}

QString RuleText(const tarvex::Rule& rule) {
    return QString::fromUtf8(tarvex::RuleTargets::Name(rule.target)) + QLatin1Char('=') +
           FromUtf8(rule.formula);
}

QString RuleValue(int value) {
    return value == tarvex::kNoRuleValue ? QStringLiteral("-") : QString::number(value);
}

// "规则1=5 规则2=7": each value named by its rule, numbered as the scheme lists the rules.
QString NamedValues(const std::vector<int>& values) {
    QStringList parts;
    for (std::size_t i = 0; i < values.size(); ++i)
        parts << RuleName(i) + QLatin1Char('=') + RuleValue(values[i]);
    return parts.join(QLatin1Char(' '));
}

// One line a rule: its number, the rule itself and, when given, its value for the draw.
QString RulesTip(const std::vector<tarvex::Rule>& rules, const std::vector<int>* values) {
    QStringList lines;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        QString line = RuleName(i) + QStringLiteral("：") + RuleText(rules[i]);
        if (values && i < values->size())
            line += QStringLiteral(" → ") + RuleValue((*values)[i]);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

CBacktestDlg::CBacktestDlg(const tarvex::Settings& settings, int level, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_level(std::clamp(level, 1, 17)) {
    setWindowTitle(QStringLiteral("历史回测"));
    BuildControls();
    resize(900, 640);
    if (m_historyBar->LoadRemembered())
        m_run->setEnabled(true);
}

void CBacktestDlg::BuildControls() {
    CHistoryBar::Options history;
    history.section = QStringLiteral("backtest");
    history.lastMinimum = 1;
    history.lastDefault = kDefaultDraws;
    m_historyBar = new CHistoryBar(history, this);
    m_last = m_historyBar->LastDraws();
    m_run = new QPushButton(QStringLiteral("回测(&R)"), this);
    m_run->setEnabled(false);
    m_export = new QPushButton(QStringLiteral("导出(&E)..."), this);
    m_export->setEnabled(false);
    // Enter anywhere in the window, in 最近 N 期 above all, runs the backtest rather than
    // opening the file chooser, which a dialog's first button would otherwise do.
    m_run->setDefault(true);
    m_export->setAutoDefault(false);
    m_newestFirst = new QCheckBox(QStringLiteral("最新的在前"), this);

    QHBoxLayout* top = m_historyBar->Row();
    top->addWidget(new QLabel(QStringLiteral("容错 %1 级").arg(m_level), this));
    top->addWidget(m_run);
    top->addWidget(m_newestFirst);

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_table = new QTableWidget(0, 5, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("期号"), QStringLiteral("号码"),
                                        QStringLiteral("杀号后"), QStringLiteral("容错后"),
                                        QStringLiteral("排除原因")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Columns are sized from the first rows: measuring 100,000 rows took a second.
    m_table->horizontalHeader()->setResizeContentsPrecision(500);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_chart = new CKillRateChart(this);
    auto* chartArea = new QScrollArea(this);
    chartArea->setWidget(m_chart);
    chartArea->setWidgetResizable(true);
    m_chance = new CChanceTable(this);
    auto* side = new QSplitter(Qt::Vertical, this);
    side->addWidget(chartArea);
    side->addWidget(m_chance);
    side->setSizes({300, 260});
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_table);
    split->addWidget(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_export, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_historyBar);
    layout->addWidget(m_summary);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);

    connect(m_historyBar, &CHistoryBar::Chosen, this, [this] {
        m_run->setEnabled(true);
        RunBacktest();
    });
    connect(m_run, &QPushButton::clicked, this, &CBacktestDlg::RunBacktest);
    connect(m_export, &QPushButton::clicked, this, &CBacktestDlg::OnExport);
    connect(m_newestFirst, &QCheckBox::toggled, this, &CBacktestDlg::OnOrderChanged);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CBacktestDlg::LoadHistory(const QString& path) {
    if (!m_historyBar->Load(path))
        return false;
    m_run->setEnabled(true);
    return true;
}

const std::vector<tarvex::HistoricDraw>& CBacktestDlg::History() const {
    return m_historyBar->Draws();
}

void CBacktestDlg::RunBacktest() {
    if (History().empty())
        return;
    if (!m_settings.rules.empty()) {
        RunRuleBacktest();
        return;
    }
    const auto last = static_cast<std::size_t>(m_last->value());
    tarvex::BacktestResult result;
    // A cancelled backtest is dropped; the last complete result stays on show.
    if (!CBackgroundRun::Run(this, QStringLiteral("正在回测…"),
                             [&](const tarvex::ProgressFn& progress) {
                                 result = tarvex::RunBacktest(m_settings, m_level, History(), last,
                                                              progress);
                             }) ||
        result.cancelled)
        return;
    m_result = std::move(result);
    m_haveResult = true;
    if (!m_result.completed())
        Platform().Message(this, FromUtf8(m_result.message));
    ShowResult();
}

void CBacktestDlg::ShowResult() {
    FillTable();
    ShowChance(m_result.conditions, m_result.spans, static_cast<int>(m_result.draws.size()));
    m_summary->setText(m_result.completed()
                           ? FromUtf8(tarvex::BacktestText::Summary(m_result, m_level) + "\n" +
                                      tarvex::BacktestText::SpanLine(m_result.spans, "\n"))
                           : FromUtf8(m_result.message));
    m_export->setEnabled(m_result.completed());
}

// The chart and the table of the conditions, each beside what chance alone gives.
void CBacktestDlg::ShowChance(const std::vector<tarvex::BacktestCondition>& conditions,
                              const std::vector<tarvex::BacktestSpan>& spans, int draws) {
    QStringList labels;
    QVector<int> rejected;
    QVector<double> expected;
    for (const tarvex::BacktestCondition& c : conditions) {
        labels << FromUtf8(tarvex::BacktestText::Trimmed(c.label));
        rejected << c.rejected;
        expected << c.ExpectedRejected();
    }
    m_chart->SetRates(labels, rejected, draws);
    m_chart->SetChance(expected);
    m_chance->SetSpans(draws > 0 ? spans : std::vector<tarvex::BacktestSpan>());
}

std::size_t CBacktestDlg::DrawAt(int row, std::size_t draws) const {
    const auto at = static_cast<std::size_t>(row);
    return m_newestFirst->isChecked() ? draws - 1 - at : at;
}

// A long list of reasons is cut off by the column; the tooltip holds all of it.
QTableWidgetItem* CBacktestDlg::ReasonItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    if (!text.isEmpty())
        item->setToolTip(text);
    return item;
}

void CBacktestDlg::OnOrderChanged() {
    if (m_haveRuleResult)
        FillRuleTable();
    else if (m_haveResult)
        FillTable();
}

void CBacktestDlg::FillTable() {
    // Tens of thousands of rows take a moment on the window's thread.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_table->setRowCount(static_cast<int>(m_result.draws.size()));
    const auto yes = [](bool b) { return b ? QStringLiteral("是") : QStringLiteral("否"); };
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const tarvex::BacktestDraw& d = m_result.draws[DrawAt(row, m_result.draws.size())];
        const QStringList cells{FromUtf8(d.issue), FromUtf8(tarvex::CandidateText(d.number)),
                                yes(d.survivesKill), yes(d.survivesTolerance)};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
        m_table->setItem(row, 4, ReasonItem(FromUtf8(tarvex::BacktestText::Reasons(d.labels))));
    }
    m_table->resizeColumnsToContents();
    QApplication::restoreOverrideCursor();
}

void CBacktestDlg::OnExport() {
    const QString path = Platform().GetSaveFileName(this, QString::fromUtf8(kExportFilter));
    if (!path.isEmpty())
        ExportTo(path);
}

bool CBacktestDlg::ExportTo(const QString& path) {
    if (!m_haveRuleResult && (!m_haveResult || !m_result.completed()))
        return false;
    const std::string table = m_haveRuleResult
                                  ? tarvex::RuleText::BacktestTable(m_ruleResult, m_level)
                                  : tarvex::BacktestText::Table(m_result, m_level);
    const QString failure = tarvex::TextFileWriter::WriteGbk(path, table);
    if (!failure.isEmpty()) {
        Platform().Message(this, QStringLiteral("回测结果没有导出：%1").arg(failure));
        return false;
    }
    return true;
}

// A scheme with rules is played as its rules would have set it for each draw.
void CBacktestDlg::RunRuleBacktest() {
    std::string error;
    const std::optional<tarvex::RuleSet> rules = tarvex::RuleSet::Compile(m_settings.rules, &error);
    if (!rules) {
        Platform().Message(this, FromUtf8(error));
        return;
    }
    const auto last = static_cast<std::size_t>(m_last->value());
    tarvex::RuleBacktestResult result;
    if (!CBackgroundRun::Run(
            this, QStringLiteral("正在逐期回测…"), [&](const tarvex::ProgressFn& progress) {
                result =
                    tarvex::RunRuleBacktest(m_settings, m_level, *rules, History(), last, progress);
            }))
        return; // the last complete result stays on show
    if (result.cancelled)
        return;
    m_ruleResult = std::move(result);
    m_haveRuleResult = true;
    ShowRuleResult();
}

void CBacktestDlg::ShowRuleResult() {
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels({QStringLiteral("期号"), QStringLiteral("号码"),
                                        QStringLiteral("公式值"), QStringLiteral("杀号后"),
                                        QStringLiteral("容错后"), QStringLiteral("注数"),
                                        QStringLiteral("排除原因")});
    m_table->horizontalHeaderItem(2)->setToolTip(
        QStringLiteral("每期按它之前的开奖算出的规则值：\n") + RulesTip(m_settings.rules, nullptr));
    FillRuleTable();
    ShowChance(m_ruleResult.conditions, m_ruleResult.spans,
               static_cast<int>(m_ruleResult.draws.size()));
    m_summary->setText(FromUtf8(tarvex::RuleText::BacktestSummary(m_ruleResult, m_level) +
                                tarvex::BacktestText::SpanLine(m_ruleResult.spans, "\n")));
    m_export->setEnabled(true);
}

void CBacktestDlg::FillRuleTable() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_table->setRowCount(static_cast<int>(m_ruleResult.draws.size()));
    const auto yes = [](bool b) { return b ? QStringLiteral("是") : QStringLiteral("否"); };
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const tarvex::RuleBacktestDraw& r =
            m_ruleResult.draws[DrawAt(row, m_ruleResult.draws.size())];
        const tarvex::BacktestDraw& d = r.draw;
        const QStringList cells{FromUtf8(d.issue),        FromUtf8(tarvex::CandidateText(d.number)),
                                NamedValues(r.values),    yes(d.survivesKill),
                                yes(d.survivesTolerance), QString::number(d.count)};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
        m_table->item(row, 2)->setToolTip(RulesTip(m_settings.rules, &r.values));
        m_table->setItem(row, 6,
                         ReasonItem(r.message.empty()
                                        ? FromUtf8(tarvex::BacktestText::Reasons(d.labels))
                                        : FromUtf8(r.message)));
    }
    m_table->resizeColumnsToContents();
    QApplication::restoreOverrideCursor();
}
