#include "app/rules/CRuleDlg.h"
#include "app/rules/CFormulaSearchDlg.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/CHistoryBar.h"
#include "app/shared/CNumberItem.h"

#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "history/RuleTargets.h"
#include "history/RuleText.h"
#include "io/DrawHistory.h"

#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kVariables[] = {"百1", "十1", "个1", "和1", "跨1", "尾1", "百2", "十2", "个2",
                                  "和2", "跨2", "尾2", "期",  "+",   "-",   "*",   "(",   ")"};
const int kRuleRole = Qt::UserRole + 1;

QString Noise() {
    return QStringLiteral("与机会率的差在两个标准误之内，可能只是运气");
}

QString WorseThanChance() {
    return QStringLiteral("低于机会：比随便选还差，超出了运气的范围，按它杀号更容易杀掉开奖号");
}

} // namespace

CRuleDlg::CRuleDlg(const std::vector<tarvex::Rule>& rules, ApplyFn apply, QWidget* parent,
                   std::shared_ptr<FormulaSearchMemory> searchMemory)
    : QDialog(parent), m_rules(rules), m_apply(std::move(apply)),
      m_searchMemory(searchMemory ? std::move(searchMemory)
                                  : std::make_shared<FormulaSearchMemory>()) {
    setWindowTitle(QStringLiteral("公式杀号"));
    BuildControls();
    resize(900, 560);
    m_historyBar->LoadRemembered();
    Judge();
}

void CRuleDlg::BuildControls() {
    CHistoryBar::Options history;
    history.section = QStringLiteral("rules");
    m_historyBar = new CHistoryBar(history, this);

    m_target = new QComboBox(this);
    for (tarvex::RuleTarget t : tarvex::RuleTargets::kAll)
        m_target->addItem(QString::fromUtf8(tarvex::RuleTargets::Name(t)));
    m_formula = new QLineEdit(this);
    m_formula->setPlaceholderText(QStringLiteral("公式，例如 和1+3"));
    m_formula->setMaxLength(static_cast<int>(tarvex::RuleFormula::kMaxLength));
    // However small the window, a formula such as "(百1+十2)*3+期" stays readable.
    m_formula->setMinimumWidth(
        m_formula->fontMetrics().horizontalAdvance(QStringLiteral("公式，例如 (百1+十2)*3+期")));
    m_variables = new QComboBox(this);
    m_variables->addItem(QStringLiteral("插入变量"));
    for (const char* v : kVariables)
        m_variables->addItem(QString::fromUtf8(v));
    auto* add = new QPushButton(QStringLiteral("添加(&A)"), this);
    auto* modify = new QPushButton(QStringLiteral("修改(&M)"), this);
    auto* remove = new QPushButton(QStringLiteral("删除(&D)"), this);
    auto* edit = new QHBoxLayout;
    edit->addWidget(m_target);
    edit->addWidget(new QLabel(QStringLiteral("="), this));
    edit->addWidget(m_formula, 1);
    edit->addWidget(m_variables);
    edit->addWidget(add);
    edit->addWidget(modify);
    edit->addWidget(remove);

    m_table = new QTableWidget(0, 10, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("目标"), QStringLiteral("公式"),
                                        QStringLiteral("测试期数"), QStringLiteral("命中"),
                                        QStringLiteral("命中率"), QStringLiteral("机会率"),
                                        QStringLiteral("差额"), QStringLiteral("当前连错"),
                                        QStringLiteral("最大连错"), QStringLiteral("下期值")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* applyNext = new QPushButton(QStringLiteral("应用到下期(&N)"), this);
    buttons->addButton(applyNext, QDialogButtonBox::ActionRole);
    auto* searchFormulas = new QPushButton(QStringLiteral("搜索公式…"), this);
    buttons->addButton(searchFormulas, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_historyBar);
    layout->addLayout(edit);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_historyBar, &CHistoryBar::Chosen, this, [this] { Judge(); });
    connect(m_historyBar->LastDraws(), &QSpinBox::valueChanged, this, [this] { Judge(); });
    connect(m_variables, &QComboBox::activated, this, &CRuleDlg::OnInsertVariable);
    connect(add, &QPushButton::clicked, this, &CRuleDlg::OnAdd);
    connect(modify, &QPushButton::clicked, this, &CRuleDlg::OnModify);
    connect(remove, &QPushButton::clicked, this, &CRuleDlg::OnDelete);
    connect(applyNext, &QPushButton::clicked, this, &CRuleDlg::OnApplyNext);
    connect(searchFormulas, &QPushButton::clicked, this, &CRuleDlg::OnSearchFormulas);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CRuleDlg::OnRowChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CRuleDlg::LoadHistory(const QString& path) {
    return m_historyBar->Load(path);
}

QSpinBox* CRuleDlg::DrawCount() const {
    return m_historyBar->LastDraws();
}

void CRuleDlg::OnInsertVariable(int index) {
    if (index > 0)
        m_formula->insert(m_variables->itemText(index));
    m_variables->setCurrentIndex(0);
    m_formula->setFocus();
}

std::optional<tarvex::Rule> CRuleDlg::EditedRule() {
    std::string error;
    const std::string text =
        m_target->currentText().toStdString() + "=" + m_formula->text().toStdString();
    const int index = static_cast<int>(m_rules.size()) + 1;
    std::optional<tarvex::Rule> rule = tarvex::RuleSet::ParseRule(text, index, &error);
    if (!rule)
        Platform().Message(this, FromUtf8(error));
    return rule;
}

void CRuleDlg::OnAdd() {
    if (m_rules.size() >= tarvex::RuleSet::kMaxRules) {
        Platform().Message(this,
                           QStringLiteral("规则太多：最多 %1 条").arg(tarvex::RuleSet::kMaxRules));
        return;
    }
    if (const std::optional<tarvex::Rule> rule = EditedRule()) {
        m_rules.push_back(*rule);
        Judge();
    }
}

static int ChosenRule(const QTableWidget* table) {
    const QList<QTableWidgetItem*> chosen = table->selectedItems();
    return chosen.isEmpty() ? -1 : table->item(chosen.front()->row(), 0)->data(kRuleRole).toInt();
}

void CRuleDlg::OnModify() {
    const int index = ChosenRule(m_table);
    if (index < 0)
        return;
    if (const std::optional<tarvex::Rule> rule = EditedRule()) {
        m_rules[static_cast<std::size_t>(index)] = *rule;
        Judge();
    }
}

void CRuleDlg::OnDelete() {
    const int index = ChosenRule(m_table);
    if (index < 0)
        return;
    m_rules.erase(m_rules.begin() + index);
    Judge();
}

void CRuleDlg::OnRowChosen() {
    const int index = ChosenRule(m_table);
    if (index < 0)
        return;
    const tarvex::Rule& rule = m_rules[static_cast<std::size_t>(index)];
    m_target->setCurrentText(QString::fromUtf8(tarvex::RuleTargets::Name(rule.target)));
    m_formula->setText(FromUtf8(rule.formula));
}

bool CRuleDlg::Judge() {
    std::string error;
    const std::optional<tarvex::RuleSet> set = tarvex::RuleSet::Compile(m_rules, &error);
    m_next.assign(m_rules.size(), tarvex::kNoRuleValue);
    if (!set) {
        m_status->setText(FromUtf8(error));
        Platform().Message(this, FromUtf8(error));
        return false;
    }
    std::vector<tarvex::RuleJudgement> judged;
    if (!m_historyBar->Draws().empty()) {
        // Off the window's thread: a long history and many rules must not freeze it.
        std::optional<tarvex::RuleJudge> judge;
        const std::vector<tarvex::HistoricDraw>& draws = m_historyBar->Draws();
        const auto last = m_historyBar->Last();
        CBackgroundRun::Run(this, {}, [&](const tarvex::ProgressFn&) {
            judge.emplace(draws, last);
            judged = judge->Judge(*set);
        });
        for (std::size_t i = 0; i < judged.size(); ++i)
            m_next[i] = judged[i].next;
        m_status->setText(QStringLiteral("%1 期，下期 %2。灰色的规则：%3。红色的规则：低于机会。")
                              .arg(judge->WindowDraws())
                              .arg(FromUtf8(judge->NextIssue()), Noise()));
    } else {
        m_status->setText(QStringLiteral("请选择开奖历史文件。"));
    }
    m_table->setSortingEnabled(false);
    m_table->setRowCount(static_cast<int>(m_rules.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const tarvex::Rule& rule = m_rules[static_cast<std::size_t>(row)];
        auto* target =
            new QTableWidgetItem(QString::fromUtf8(tarvex::RuleTargets::Name(rule.target)));
        target->setData(kRuleRole, row);
        m_table->setItem(row, 0, target);
        m_table->setItem(row, 1, new QTableWidgetItem(FromUtf8(rule.formula)));
        for (int c = 2; c < 10; ++c)
            m_table->setItem(row, c, new QTableWidgetItem);
        if (judged.empty())
            continue;
        const tarvex::RuleJudgement& j = judged[static_cast<std::size_t>(row)];
        const auto percent = [](const tarvex::ExactRate& v, bool sign) {
            return FromUtf8(tarvex::RuleText::Percent(v, sign));
        };
        m_table->setItem(row, 2, new CNumberItem(QString::number(j.tested), j.tested));
        m_table->setItem(row, 3, new CNumberItem(QString::number(j.right), j.right));
        m_table->setItem(row, 4, new CNumberItem(percent(j.HitShare(), false), j.HitRate()));
        m_table->setItem(row, 5, new CNumberItem(percent(j.ChanceShare(), false), j.ChanceRate()));
        m_table->setItem(row, 6, new CNumberItem(percent(j.MarginShare(), true), j.Margin()));
        m_table->setItem(row, 7, new CNumberItem(QString::number(j.currentMiss), j.currentMiss));
        m_table->setItem(row, 8, new CNumberItem(QString::number(j.maxMiss), j.maxMiss));
        m_table->setItem(row, 9,
                         new CNumberItem(j.next == tarvex::kNoRuleValue ? QStringLiteral("-")
                                                                        : QString::number(j.next),
                                         j.next));
        if (j.WithinNoise()) {
            for (int c = 0; c < 10; ++c) {
                m_table->item(row, c)->setForeground(Qt::gray);
                m_table->item(row, c)->setToolTip(Noise());
            }
        } else if (j.Margin() < 0) {
            // Worse than chance, beyond luck: killing by it kills winners more often.
            for (int c = 0; c < 10; ++c) {
                m_table->item(row, c)->setForeground(QColor(176, 0, 0));
                m_table->item(row, c)->setToolTip(WorseThanChance());
            }
            m_table->item(row, 6)->setText(m_table->item(row, 6)->text() +
                                           QStringLiteral(" 低于机会"));
        }
    }
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    return true;
}

void CRuleDlg::OnApplyNext() {
    if (!Judge() || !m_apply)
        return;
    int skipped = 0;
    for (int v : m_next)
        skipped += v == tarvex::kNoRuleValue ? 1 : 0;
    m_apply(m_rules, m_next);
    if (skipped > 0)
        m_status->setText(
            QStringLiteral("有 %1 条公式没有下期值（历史太短），未应用。").arg(skipped));
}

void CRuleDlg::OnSearchFormulas() {
    const auto target =
        tarvex::RuleTargets::kAll[static_cast<std::size_t>(std::max(0, m_target->currentIndex()))];
    CFormulaSearchDlg search(
        m_historyBar->Draws(), static_cast<int>(m_historyBar->Last()), target,
        [this](const tarvex::Rule& rule) {
            m_rules.push_back(rule);
            Judge();
        },
        this, m_searchMemory);
    search.exec();
}
