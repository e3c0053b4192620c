#include "app/rules/CFormulaSearchDlg.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/TableRows.h"

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

QString TargetName(tarvex::RuleTarget target) {
    return QString::fromUtf8(tarvex::RuleTargets::Name(target));
}

bool SameSearch(const tarvex::FormulaSearchOptions& a, const tarvex::FormulaSearchOptions& b) {
    return a.target == b.target && a.terms == b.terms && a.last == b.last && a.check == b.check &&
           a.top == b.top;
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
                                     tarvex::RuleTarget target, AddFn add, QWidget* parent,
                                     std::shared_ptr<FormulaSearchMemory> memory)
    : QDialog(parent), m_history(history), m_add(std::move(add)),
      m_memory(memory ? std::move(memory) : std::make_shared<FormulaSearchMemory>()) {
    setWindowTitle(QStringLiteral("搜索公式"));
    BuildControls();
    if (m_memory->set) {
        SetOptions(m_memory->options);
    } else {
        m_target->setCurrentText(TargetName(target));
        m_last->setValue(last);
    }
    if (m_memory->searched)
        FillTable();
    ShowTableNote();
    resize(1100, 600);
}

tarvex::FormulaSearchOptions CFormulaSearchDlg::Options() const {
    tarvex::FormulaSearchOptions options;
    options.target =
        tarvex::RuleTargets::kAll[static_cast<std::size_t>(std::max(0, m_target->currentIndex()))];
    options.terms = m_terms->value();
    options.last = static_cast<std::size_t>(m_last->value());
    options.check = static_cast<std::size_t>(m_check->value());
    options.top = static_cast<std::size_t>(m_top->value());
    return options;
}

void CFormulaSearchDlg::SetOptions(const tarvex::FormulaSearchOptions& options) {
    m_target->setCurrentText(TargetName(options.target));
    m_terms->setValue(options.terms);
    m_last->setValue(static_cast<int>(options.last));
    m_check->setValue(static_cast<int>(options.check));
    m_top->setValue(static_cast<int>(options.top));
}

// The settings stay for the next opening however the window is left.
void CFormulaSearchDlg::done(int result) {
    m_memory->options = Options();
    m_memory->set = true;
    QDialog::done(result);
}

bool CFormulaSearchDlg::TableIsStale() const {
    if (!m_memory->searched)
        return false;
    const std::string newest = m_history.empty() ? std::string() : m_history.back().issue;
    return !SameSearch(m_memory->searchedWith, Options()) || m_memory->draws != m_history.size() ||
           m_memory->newest != newest;
}

// The table says whose formulas it lists: after 取消, a refused search or a change above, it
// still holds the last search's, and 加入规则 adds them as that search's target.
void CFormulaSearchDlg::ShowTableNote() {
    if (!m_memory->searched) {
        m_tableNote->clear();
        m_tableNote->hide();
        return;
    }
    const tarvex::FormulaSearchOptions& o = m_memory->searchedWith;
    QString note =
        QStringLiteral("表中是“%1”的公式（%2 项，窗口%3，检验段%4，检验前 %5 个）")
            .arg(TargetName(o.target))
            .arg(o.terms)
            .arg(o.last == 0 ? QStringLiteral("全部") : QStringLiteral("最近 %1 期").arg(o.last))
            .arg(o.check == 0 ? QStringLiteral(" 30%") : QStringLiteral(" %1 期").arg(o.check))
            .arg(o.top);
    const bool stale = TableIsStale();
    if (stale)
        note += QStringLiteral("。这是上一次搜索的结果，与现在的设置或开奖历史不同；"
                               "加入规则仍按“%1”加入。")
                    .arg(TargetName(o.target));
    m_tableNote->setText(note);
    m_tableNote->setStyleSheet(stale ? QStringLiteral("color: #b00000;") : QString());
    m_tableNote->show();
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
    m_tableNote = new QLabel(this);
    m_tableNote->setObjectName(QStringLiteral("tableNote"));
    m_tableNote->setWordWrap(true);
    m_table = new QTableWidget(0, 15, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("公式"), QStringLiteral("训练 对/测"), QStringLiteral("训练命中率"),
         QStringLiteral("训练机会率"), QStringLiteral("训练差值"), QStringLiteral("训练最大连错"),
         QStringLiteral("检验 对/测"), QStringLiteral("检验命中率"), QStringLiteral("检验机会率"),
         QStringLiteral("检验差值"), QStringLiteral("检验最大连错"), QStringLiteral("p"),
         QStringLiteral("校正 p"), QStringLiteral("判断"), QStringLiteral("同值公式")});
    m_table->verticalHeader()->setVisible(false);
    TableRows::Compact(m_table);
    TableRows::KeepInSight(m_table, 5);
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
    layout->addWidget(m_tableNote);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(search, &QPushButton::clicked, this, &CFormulaSearchDlg::Search);
    connect(add, &QPushButton::clicked, this, &CFormulaSearchDlg::OnAddRules);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_target, &QComboBox::currentIndexChanged, this, &CFormulaSearchDlg::ShowTableNote);
    for (QSpinBox* box : {m_terms, m_last, m_check, m_top})
        connect(box, &QSpinBox::valueChanged, this, &CFormulaSearchDlg::ShowTableNote);
}

bool CFormulaSearchDlg::Search() {
    if (m_history.empty()) {
        m_status->setText(QStringLiteral("请先在公式杀号窗口选择开奖历史文件。"));
        return false;
    }
    const tarvex::FormulaSearchOptions options = Options();
    tarvex::FormulaSearchResult result;
    const bool finished = CBackgroundRun::Run(
        this, QStringLiteral("正在搜索公式…"), [&](const tarvex::ProgressFn& progress) {
            result = tarvex::FormulaSearch::Run(m_history, options, progress);
        });
    if (!finished || result.cancelled) {
        m_status->setText(QStringLiteral("搜索已取消，表中仍是上一次的结果。"));
        ShowTableNote();
        return false;
    }
    if (!result.error.empty()) {
        m_status->setText(Text(result.error));
        Platform().Message(this, Text(result.error));
        return false;
    }
    m_memory->result = std::move(result);
    m_memory->searchedWith = options;
    m_memory->searched = true;
    m_memory->draws = m_history.size();
    m_memory->newest = m_history.back().issue;
    FillTable();
    ShowTableNote();
    return true;
}

void CFormulaSearchDlg::FillTable() {
    using tarvex::FormulaSearchText;
    const tarvex::FormulaSearchResult& r = m_memory->result;
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
        if (row < 0 || row >= static_cast<int>(m_memory->result.formulas.size()) || !m_add)
            continue;
        m_add({m_memory->searchedWith.target,
               m_memory->result.formulas[static_cast<std::size_t>(row)].formula});
        ++added;
    }
    m_status->setText(added == 0 ? QStringLiteral("请先在表中选择要加入的公式。")
                                 : QStringLiteral("已加入 %1 条“%2”规则。")
                                       .arg(added)
                                       .arg(TargetName(m_memory->searchedWith.target)));
    return added;
}
