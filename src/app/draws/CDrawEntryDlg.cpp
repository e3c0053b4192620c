#include "app/draws/CDrawEntryDlg.h"

#include "framework/Platform.h"
#include "history/IssueNumber.h"
#include "io/DrawChecks.h"
#include "io/DrawTextReader.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString NumberText(int number) {
    return QString::number(number).rightJustified(3, u'0');
}

QString IssueText(const tarvex::HistoricDraw& draw) {
    return QString::fromStdString(draw.issue);
}

// A long paste names its first draws only, so the lines below stay in sight.
constexpr std::size_t kListedDraws = 10;
constexpr qsizetype kListedRefusals = 8;

QString Listed(const std::vector<tarvex::HistoricDraw>& draws) {
    QStringList parts;
    for (std::size_t i = 0; i < std::min(draws.size(), kListedDraws); ++i) {
        const tarvex::HistoricDraw& draw = draws[i];
        parts
            << IssueText(draw) + u' ' + NumberText(draw.number) +
                   (draw.trial.empty()
                        ? QString()
                        : QStringLiteral("（试机号 %1）").arg(QString::fromStdString(draw.trial)));
    }
    QString listed = parts.join(QStringLiteral("、"));
    if (draws.size() > kListedDraws) {
        listed += QStringLiteral(" 等");
    }
    return listed;
}

QLineEdit* DigitsEdit(const char* pattern, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), edit));
    return edit;
}

} // namespace

CDrawEntryDlg::CDrawEntryDlg(QWidget* parent, const QString& folder)
    : QDialog(parent), m_folder(folder) {
    setWindowTitle(QStringLiteral("录入开奖号码"));
    BuildControls();
    OnLotteryChosen();
}

void CDrawEntryDlg::BuildControls() {
    m_lottery = new QComboBox(this);
    m_lottery->addItems({QStringLiteral("3D"), QStringLiteral("排列3")});
    m_issue = DigitsEdit("\\d{0,7}", this);
    m_date = new QLineEdit(this);
    m_date->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    m_number = DigitsEdit("\\d{0,3}", this);
    m_trial = DigitsEdit("\\d{0,3}", this);
    m_add = new QPushButton(QStringLiteral("加入(&A)"), this);
    m_add->setDefault(true); // Enter adds
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("彩种"), m_lottery);
    form->addRow(QStringLiteral("期号"), m_issue);
    form->addRow(QStringLiteral("日期"), m_date);
    form->addRow(QStringLiteral("开奖号码"), m_number);
    form->addRow(QStringLiteral("试机号（可不填）"), m_trial);
    form->addRow(QString(), m_add);

    m_pasted = new QPlainTextEdit(this);
    m_pasted->setTabChangesFocus(true); // a pasted table's tabs come with the paste
    m_pasted->setPlaceholderText(
        QStringLiteral("也可以把多期开奖号码粘贴在这里（开奖历史的行、CSV 或从网页复制的表格）"));
    auto* preview = new QPushButton(QStringLiteral("查看粘贴的内容(&V)"), this);
    preview->setAutoDefault(false);
    m_addPasted = new QPushButton(QStringLiteral("加入粘贴的开奖号码(&P)"), this);
    m_addPasted->setAutoDefault(false);
    m_addPasted->setEnabled(false);
    m_preview = new QLabel(this);
    m_preview->setWordWrap(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setAutoDefault(false);

    auto* pasteButtons = new QHBoxLayout;
    pasteButtons->addWidget(preview);
    pasteButtons->addWidget(m_addPasted);
    pasteButtons->addStretch();
    pasteButtons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(m_pasted, 1);
    layout->addWidget(m_preview);
    layout->addLayout(pasteButtons);

    connect(m_lottery, &QComboBox::currentIndexChanged, this, &CDrawEntryDlg::OnLotteryChosen);
    connect(m_issue, &QLineEdit::textEdited, this, &CDrawEntryDlg::OnIssueEdited);
    connect(m_add, &QPushButton::clicked, this, &CDrawEntryDlg::OnAdd);
    connect(preview, &QPushButton::clicked, this, &CDrawEntryDlg::OnPreview);
    connect(m_addPasted, &QPushButton::clicked, this, &CDrawEntryDlg::OnAddPasted);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pasted, &QPlainTextEdit::textChanged, this,
            [this] { m_addPasted->setEnabled(false); });
}

tarvex::Lottery CDrawEntryDlg::Chosen() const {
    return m_lottery->currentIndex() == 1 ? tarvex::Lottery::Pl3 : tarvex::Lottery::Fc3d;
}

QString CDrawEntryDlg::HistoryPath() const {
    return tarvex::PlayerHistory::PathIn(m_folder, Chosen());
}

// The history is made only when a draw goes into it, never by looking at a lottery.
void CDrawEntryDlg::OnLotteryChosen() {
    m_status->clear();
    m_addPasted->setEnabled(false);
    PrepareNext();
}

bool CDrawEntryDlg::EnsureHistory() {
    const QString error = tarvex::PlayerHistory::Ensure(HistoryPath(), Chosen());
    if (!error.isEmpty()) {
        Platform().Message(this, error);
    }
    return error.isEmpty();
}

tarvex::PlayerHistoryFile CDrawEntryDlg::ReadHistory() const {
    const QString own = HistoryPath();
    const QString shipped = tarvex::PlayerHistory::ShippedPath(Chosen());
    return tarvex::PlayerHistory::Read(QFileInfo::exists(own) || shipped.isEmpty() ? own : shipped);
}

// The pre-filled date belongs to the pre-filled 期号: another 期号 needs its own date.
void CDrawEntryDlg::OnIssueEdited(const QString& issue) {
    if (issue == m_nextIssue) {
        m_date->setText(m_nextDate);
    } else if (m_date->text() == m_nextDate) {
        m_date->clear();
    }
}

void CDrawEntryDlg::PrepareNext() {
    const tarvex::PlayerHistoryFile file = ReadHistory();
    const std::optional<tarvex::HistoricDraw> newest = file.Newest();
    if (!newest) {
        return;
    }
    const QDate last = QDate::fromString(QString::fromStdString(newest->date), Qt::ISODate);
    const QDate next = last.isValid() ? last.addDays(1) : QDate::currentDate();
    m_nextDate = next.toString(Qt::ISODate);
    m_nextIssue = QString::fromStdString(
        tarvex::IssueNumber::Next(newest->issue, newest->date, m_nextDate.toStdString()));
    m_date->setText(m_nextDate);
    m_issue->setText(m_nextIssue);
    m_number->clear();
    m_trial->clear();
    m_number->setFocus();
}

bool CDrawEntryDlg::OnAdd() {
    const QString date = m_date->text().trimmed();
    const QString problem =
        tarvex::DrawChecks::Refusal(m_issue->text(), m_number->text(), date, m_trial->text(),
                                    tarvex::DrawChecks::BeijingToday());
    if (!problem.isEmpty()) {
        Platform().Message(this, problem + u'。');
        return false;
    }
    const tarvex::HistoricDraw draw{m_issue->text().toStdString(), m_number->text().toInt(),
                                    date.toStdString(), m_trial->text().toStdString()};
    const QStringList warnings = tarvex::DrawChecks::Warnings(ReadHistory(), draw);
    if (!warnings.isEmpty() &&
        !Platform().AskYesNo(this, warnings.join(u'\n') + QStringLiteral("\n\n仍然加入这一期吗？"),
                             QStringLiteral("录入开奖号码"))) {
        return false;
    }
    if (!EnsureHistory()) {
        return false;
    }
    tarvex::DrawAddPlan plan;
    const QString error = tarvex::PlayerHistory::Add(HistoryPath(), {draw}, plan);
    if (!error.isEmpty()) {
        Platform().Message(this, error);
        return false;
    }
    if (!plan.refused.empty()) {
        Platform().Message(
            this, QStringLiteral("第 %1 期已有开奖号码 %2，与输入的 %3 不同，没有写入。")
                      .arg(IssueText(plan.refused[0].held), NumberText(plan.refused[0].held.number),
                           NumberText(draw.number)));
        return false;
    }
    m_status->setText((plan.added.empty()
                           ? QStringLiteral("第 %1 期 %2 已在开奖历史中。")
                                 .arg(IssueText(draw), NumberText(draw.number))
                           : QStringLiteral("已加入第 %1 期 %2。")
                                 .arg(IssueText(plan.added[0]), NumberText(draw.number))) +
                      plan.warning);
    PrepareNext();
    return true;
}

void CDrawEntryDlg::OnPreview() {
    const tarvex::DrawHistoryResult read =
        tarvex::DrawTextReader::Read(m_pasted->toPlainText().toUtf8());
    const tarvex::PlayerHistoryFile file = ReadHistory();
    if (!file.ok()) {
        Platform().Message(this, file.error);
        return;
    }
    m_pastedDraws = read.draws;
    const tarvex::DrawAddPlan plan = tarvex::PlayerHistory::Plan(file, read.draws);
    // What is refused comes first: a long list of what is added must not push it out of sight.
    QStringList lines;
    const qsizetype refused = static_cast<qsizetype>(plan.refused.size());
    for (qsizetype i = 0; i < std::min(refused, kListedRefusals); ++i) {
        const tarvex::DrawRefusal& refusal = plan.refused[static_cast<std::size_t>(i)];
        lines << QStringLiteral("不加入第 %1 期 %2：文件里是 %3")
                     .arg(IssueText(refusal.given), NumberText(refusal.given.number),
                          NumberText(refusal.held.number));
    }
    if (refused > kListedRefusals) {
        lines << QStringLiteral("另有 %1 期与文件里的号码不同，不加入")
                     .arg(refused - kListedRefusals);
    }
    for (const QString& problem : read.ProblemMessages(kListedRefusals)) {
        lines << QStringLiteral("不加入：") + problem;
    }
    lines << QStringLiteral("将加入 %1 期：%2").arg(plan.added.size()).arg(Listed(plan.added))
          << QStringLiteral("已有 %1 期").arg(plan.held.size());
    m_preview->setText(lines.join(u'\n'));
    m_addPasted->setEnabled(!plan.added.empty());
}

bool CDrawEntryDlg::OnAddPasted() {
    if (!EnsureHistory()) {
        return false;
    }
    tarvex::DrawAddPlan plan;
    // Planned again against the file as it is now; only what is new and agrees is added.
    const QString error = tarvex::PlayerHistory::Add(HistoryPath(), m_pastedDraws, plan, false);
    m_addPasted->setEnabled(false);
    if (!error.isEmpty()) {
        Platform().Message(this, error);
        return false;
    }
    m_status->setText(QStringLiteral("已加入 %1 期。").arg(plan.added.size()) + plan.warning);
    m_preview->clear();
    PrepareNext();
    return true;
}
