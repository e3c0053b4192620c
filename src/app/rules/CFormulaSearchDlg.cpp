#include "app/rules/CFormulaSearchDlg.h"
#include "app/shared/CBackgroundRun.h"

#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "history/FormulaSearchText.h"
#include "history/RuleTargets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QSpinBox* SpinBox(QWidget* parent, int low, int high, int value, const QString& special = {}) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    if (!special.isEmpty())
        box->setSpecialValueText(special);
    box->setValue(value);
    return box;
}

QString Ratio(const tarvex::RuleJudgement& j) {
    return QStringLiteral("%1/%2").arg(j.right).arg(j.tested);
}

QString Text(const std::string& utf8) {
    return FromUtf8(utf8);
}

// The formulas ranked under this one, which give its value on every draw, beside it in a
// column of their own: the formula cell keeps the formula alone for 加入规则.
QString Equivalents(const tarvex::FoundFormula& found) {
    QStringList names;
    for (const std::string& other : found.equivalents)
        names << QString::fromStdString(other);
    return names.join(QStringLiteral("、"));
}

} // namespace

CFormulaSearchDlg::CFormulaSearchDlg(const std::vector<tarvex::HistoricDraw>& history, int last,
                                     tarvex::RuleTarget target, AddFn add, QWidget* parent)
    : QDialog(parent), m_history(history), m_add(std::move(add)) {
    setWindowTitle(QStringLiteral("搜索公式"));
    BuildControls();
    m_target->setCurrentText(QString::fromUtf8(tarvex::RuleTargets::Name(target)));
    m_last->setValue(last);
    resize(1100, 600);
}

void CFormulaSearchDlg::BuildControls() {
    m_target = new QComboBox(this);
    for (tarvex::RuleTarget t : tarvex::RuleTargets::kAll)
        m_target->addItem(QString::fromUtf8(tarvex::RuleTargets::Name(t)));
    m_terms = SpinBox(this, 1, 3, 2);
    m_last = SpinBox(this, 0, 100000, 0, QStringLiteral("全部"));
    m_check = SpinBox(this, 0, 100000, 0, QStringLiteral("30%"));
    m_top = SpinBox(this, 1, static_cast<int>(tarvex::FormulaSearch::kMaxTop), 20);
    auto* search = new QPushButton(QStringLiteral("搜索(&S)"), this);
    auto* top = new QHBoxLayout;
    const auto labelled = [&](const QString& label, QWidget* widget) {
        top->addWidget(new QLabel(label, this));
        top->addWidget(widget);
    };
    labelled(QStringLiteral("目标"), m_target);
    labelled(QStringLiteral("项数"), m_terms);
    labelled(QStringLiteral("窗口：最近"), m_last);
    labelled(QStringLiteral("期，检验段"), m_check);
    labelled(QStringLiteral("期，检验前"), m_top);
    top->addWidget(new QLabel(QStringLiteral("个"), this));
    top->addStretch(1);
    top->addWidget(search);

    m_baseline = new QLabel(this);
    m_baseline->setWordWrap(true);
    m_table = new QTableWidget(0, 15, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("公式"), QStringLiteral("训练 对/测"), QStringLiteral("命中率"),
         QStringLiteral("机会率"), QStringLiteral("差值"), QStringLiteral("最大连错"),
         QStringLiteral("检验 对/测"), QStringLiteral("命中率"), QStringLiteral("机会率"),
         QStringLiteral("差值"), QStringLiteral("最大连错"), QStringLiteral("p"),
         QStringLiteral("校正 p"), QStringLiteral("判断"), QStringLiteral("同值公式")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* add = new QPushButton(QStringLiteral("加入规则(&A)"), this);
    buttons->addButton(add, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_baseline);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(search, &QPushButton::clicked, this, &CFormulaSearchDlg::Search);
    connect(add, &QPushButton::clicked, this, &CFormulaSearchDlg::OnAddRules);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CFormulaSearchDlg::Search() {
    if (m_history.empty()) {
        m_status->setText(QStringLiteral("请先在公式杀号窗口选择开奖历史文件。"));
        return false;
    }
    tarvex::FormulaSearchOptions options;
    options.target =
        tarvex::RuleTargets::kAll[static_cast<std::size_t>(std::max(0, m_target->currentIndex()))];
    options.terms = m_terms->value();
    options.last = static_cast<std::size_t>(m_last->value());
    options.check = static_cast<std::size_t>(m_check->value());
    options.top = static_cast<std::size_t>(m_top->value());
    tarvex::FormulaSearchResult result;
    const bool finished = CBackgroundRun::Run(
        this, QStringLiteral("正在搜索公式…"), [&](const tarvex::ProgressFn& progress) {
            result = tarvex::FormulaSearch::Run(m_history, options, progress);
        });
    if (!finished || result.cancelled) {
        m_status->setText(QStringLiteral("搜索已取消，表中仍是上一次的结果。"));
        return false;
    }
    if (!result.error.empty()) {
        m_status->setText(Text(result.error));
        Platform().Message(this, Text(result.error));
        return false;
    }
    m_result = std::move(result);
    m_searched = options.target;
    FillTable();
    return true;
}

void CFormulaSearchDlg::FillTable() {
    using tarvex::FormulaSearchText;
    const tarvex::FormulaSearchResult& r = m_result;
    m_baseline->setText(QStringLiteral("同样的搜索在打乱次序的历史上，最好的训练差值是 %1。")
                            .arg(Text(FormulaSearchText::SignedPercent(r.shuffledBestMargin))));
    m_status->setText(
        QStringLiteral("搜索了 %1 个公式；窗口 %2 期：训练段 %3 期（%4 至 %5），检验段 %6 期（%7 "
                       "至 %8）。p 是机会本身在检验段做到同样好的概率，校正 p = min(1, K·p)；"
                       "灰色的行校正 p ≥ 0.05：检验段不显著。")
            .arg(r.tried)
            .arg(r.draws)
            .arg(r.train.draws)
            .arg(Text(r.train.first), Text(r.train.last))
            .arg(r.check.draws)
            .arg(Text(r.check.first), Text(r.check.last)));
    m_table->setRowCount(static_cast<int>(r.formulas.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const tarvex::FoundFormula& f = r.formulas[static_cast<std::size_t>(row)];
        const auto percent = [](const tarvex::ExactRate& v) {
            return Text(FormulaSearchText::Percent(v));
        };
        const auto signedPercent = [](const tarvex::ExactRate& v) {
            return Text(FormulaSearchText::SignedPercent(v));
        };
        const QStringList cells{Text(f.formula),
                                Ratio(f.train),
                                percent(f.train.HitShare()),
                                percent(f.train.ChanceShare()),
                                signedPercent(f.train.MarginShare()),
                                QString::number(f.train.maxMiss),
                                Ratio(f.check),
                                percent(f.check.HitShare()),
                                percent(f.check.ChanceShare()),
                                signedPercent(f.check.MarginShare()),
                                QString::number(f.check.maxMiss),
                                Text(FormulaSearchText::PValue(f.p)),
                                Text(FormulaSearchText::PValue(f.pAdjusted)),
                                FormulaSearchText::Significant(f)
                                    ? QString()
                                    : QString::fromUtf8(FormulaSearchText::NotSignificant()),
                                Equivalents(f)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (!FormulaSearchText::Significant(f))
                item->setForeground(Qt::gray);
            // The cell keeps the formula alone: 加入规则 and the rules window read it.
            if (c == 0 && !f.equivalents.empty())
                item->setToolTip(Text(FormulaSearchText::Equivalents(f)));
            m_table->setItem(row, c, item);
        }
    }
    m_table->resizeColumnsToContents();
}

int CFormulaSearchDlg::OnAddRules() {
    QList<int> rows;
    for (const QTableWidgetItem* item : m_table->selectedItems())
        if (!rows.contains(item->row()))
            rows << item->row();
    std::sort(rows.begin(), rows.end());
    int added = 0;
    for (const int row : rows) {
        if (row < 0 || row >= static_cast<int>(m_result.formulas.size()) || !m_add)
            continue;
        m_add({m_searched, m_result.formulas[static_cast<std::size_t>(row)].formula});
        ++added;
    }
    m_status->setText(added == 0 ? QStringLiteral("请先在表中选择要加入的公式。")
                                 : QStringLiteral("已加入 %1 条规则。").arg(added));
    return added;
}
