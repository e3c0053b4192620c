#include "app/sets/CSetsDlg.h"

#include "app/sets/CSetRecordStrip.h"
#include "app/shared/CHistoryBar.h"
#include "app/shared/TableRows.h"
#include "engine/ResultSplit.h"
#include "engine/RunText.h"
#include "framework/Platform.h"
#include "framework/Utf8Text.h"
#include "numbersets/SchemeSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kSchemeFilter = "方案文件(*.json)|*.json||";
const char* const kNumberFilter = "文件名(*.TXT)|*.TXT||";

// The operations in the order the combo lists them.
const tarvex::SetOperation kOperations[] = {tarvex::SetOperation::And, tarvex::SetOperation::Or,
                                            tarvex::SetOperation::Minus,
                                            tarvex::SetOperation::AtLeast};

QString KindText(const tarvex::SetMember& member) {
    switch (member.kind) {
    case tarvex::SetMember::Kind::Scheme:
        return QStringLiteral("方案");
    case tarvex::SetMember::Kind::NumberFile:
        return QStringLiteral("号码文件");
    case tarvex::SetMember::Kind::Current:
        break;
    }
    return QStringLiteral("当前结果");
}

// A cell that sorts by its value, not by its text.
QTableWidgetItem* CountItem(int value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    return item;
}

} // namespace

CSetsDlg::CSetsDlg(ReadResult readResult, PutResult putResult, QWidget* parent, State state)
    : QDialog(parent), m_readResult(std::move(readResult)), m_putResult(std::move(putResult)) {
    setWindowTitle(QStringLiteral("多方案"));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false); // the record's strip and history row stay whole
    split->addWidget(BuildMembers());
    split->addWidget(BuildRecord());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // Enter in a box must never close the window and lose the members: 关闭 is no default.
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(820, 680);
    Restore(std::move(state));
    if (m_historyBar->LoadRemembered())
        ShowRecord();
}

void CSetsDlg::Restore(State state) {
    {
        const QSignalBlocker quietOperation(m_operation);
        const QSignalBlocker quietTolerance(m_tolerance);
        m_operation->setCurrentIndex(std::clamp(state.operation, 0, m_operation->count() - 1));
        m_tolerance->setChecked(state.tolerance);
    }
    m_members = std::move(state.members);
    ShowMembers();
    {
        const QSignalBlocker quietK(m_k);
        m_k->setValue(state.k);
    }
    if (state.subject > 0 && state.subject < m_subject->count()) {
        const QSignalBlocker quietSubject(m_subject);
        m_subject->setCurrentIndex(state.subject);
    }
    Combine();
}

CSetsDlg::State CSetsDlg::Kept() const {
    return {m_members, m_operation->currentIndex(), m_k->value(), m_tolerance->isChecked(),
            m_subject->currentIndex()};
}

QWidget* CSetsDlg::BuildMembers() {
    auto* box = new QWidget(this);
    m_memberList = new QListWidget(box);
    auto* addScheme = new QPushButton(QStringLiteral("添加方案…"), box);
    auto* addFile = new QPushButton(QStringLiteral("添加号码文件…"), box);
    auto* addCurrent = new QPushButton(QStringLiteral("当前结果"), box);
    auto* remove = new QPushButton(QStringLiteral("移除"), box);
    auto* memberButtons = new QVBoxLayout;
    for (QPushButton* b : {addScheme, addFile, addCurrent, remove}) {
        b->setAutoDefault(false);
        memberButtons->addWidget(b);
    }
    memberButtons->addStretch(1);
    m_operation = new QComboBox(box);
    m_operation->addItems({QStringLiteral("交集"), QStringLiteral("并集"), QStringLiteral("差集"),
                           QStringLiteral("至少 k 个")});
    m_k = new QSpinBox(box);
    m_k->setRange(1, 1);
    m_tolerance = new QCheckBox(QStringLiteral("方案取容错后的号码"), box);
    m_put = new QPushButton(QStringLiteral("放入结果框"), box);
    m_put->setAutoDefault(false);
    auto* operation = new QHBoxLayout;
    operation->addWidget(new QLabel(QStringLiteral("组合："), box));
    operation->addWidget(m_operation);
    operation->addWidget(new QLabel(QStringLiteral("k ="), box));
    operation->addWidget(m_k);
    operation->addWidget(m_tolerance);
    operation->addStretch(1);
    operation->addWidget(m_put);
    m_summary = new QLabel(box);
    m_summary->setWordWrap(true);
    m_holders = new QTableWidget(0, 3, box);
    m_holders->setHorizontalHeaderLabels(
        {QStringLiteral("号码"), QStringLiteral("成员数"), QStringLiteral("在结果中")});
    m_holders->verticalHeader()->setVisible(false);
    TableRows::Compact(m_holders);
    TableRows::KeepInSight(m_holders, 4);
    // The header's own first order is descending: the table would open at 999.
    m_holders->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_holders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_holders->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* top = new QHBoxLayout;
    top->addWidget(m_memberList, 1);
    top->addLayout(memberButtons);
    top->addWidget(m_holders, 1);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top, 1);
    layout->addLayout(operation);
    layout->addWidget(m_summary);

    connect(addScheme, &QPushButton::clicked, this, &CSetsDlg::OnAddScheme);
    connect(addFile, &QPushButton::clicked, this, &CSetsDlg::OnAddNumberFile);
    connect(addCurrent, &QPushButton::clicked, this, &CSetsDlg::AddCurrentResult);
    connect(remove, &QPushButton::clicked, this, &CSetsDlg::OnRemove);
    connect(m_operation, &QComboBox::currentIndexChanged, this, &CSetsDlg::Combine);
    connect(m_k, &QSpinBox::valueChanged, this, &CSetsDlg::Combine);
    connect(m_tolerance, &QCheckBox::toggled, this, &CSetsDlg::OnToleranceChanged);
    connect(m_put, &QPushButton::clicked, this, &CSetsDlg::PutIntoResult);
    return box;
}

void CSetsDlg::OnAddScheme() {
    const QString path = Platform().GetOpenFileName(this, QString::fromUtf8(kSchemeFilter));
    if (!path.isEmpty())
        AddMember(path);
}

void CSetsDlg::OnAddNumberFile() {
    const QString path = Platform().GetOpenFileName(this, QString::fromUtf8(kNumberFilter));
    if (!path.isEmpty())
        AddMember(path);
}

bool CSetsDlg::AddMember(const QString& path) {
    tarvex::SetMember member = tarvex::SetMemberReader::Load(path, m_tolerance->isChecked());
    if (!member.ok()) {
        Platform().Message(this, member.error);
        return false;
    }
    Append(std::move(member));
    return true;
}

void CSetsDlg::AddCurrentResult() {
    Append(tarvex::SetMemberReader::Current(m_readResult ? m_readResult() : std::string()));
}

void CSetsDlg::Append(tarvex::SetMember member) {
    m_members.push_back(std::move(member));
    ShowMembers();
    Combine();
}

void CSetsDlg::OnRemove() {
    RemoveMember(m_memberList->currentRow());
}

void CSetsDlg::RemoveMember(int index) {
    if (index < 0 || index >= static_cast<int>(m_members.size()))
        return;
    m_members.erase(m_members.begin() + index);
    ShowMembers();
    Combine();
}

// A scheme's numbers come again from its settings as read: the file may have changed since,
// but the member is what the player added.
void CSetsDlg::OnToleranceChanged() {
    for (tarvex::SetMember& m : m_members) {
        if (m.kind == tarvex::SetMember::Kind::Scheme)
            m.numbers = tarvex::SchemeNumbers(m.scheme, m_tolerance->isChecked()).numbers;
    }
    ShowMembers();
    Combine();
}

void CSetsDlg::ShowMembers() {
    const int row = m_memberList->currentRow();
    m_memberList->clear();
    for (const tarvex::SetMember& m : m_members) {
        m_memberList->addItem(
            QStringLiteral("%1（%2）  %3注").arg(m.name, KindText(m)).arg(m.Count()));
        m_memberList->item(m_memberList->count() - 1)->setToolTip(m.path);
    }
    m_memberList->setCurrentRow(std::min(row, m_memberList->count() - 1));
    const QSignalBlocker quiet(m_k);
    m_k->setRange(1, std::max(1, static_cast<int>(m_members.size())));
    FillSubjects();
}

void CSetsDlg::Combine() {
    std::vector<tarvex::NumberSet> sets;
    for (const tarvex::SetMember& m : m_members)
        sets.push_back(m.numbers);
    const tarvex::SetOperation op = kOperations[std::max(0, m_operation->currentIndex())];
    m_k->setEnabled(op == tarvex::SetOperation::AtLeast);
    m_combination = tarvex::CombineSets(sets, op, m_k->value());
    ShowCombination();
    ShowRecord();
}

void CSetsDlg::ShowCombination() {
    m_put->setEnabled(m_combination.completed());
    if (!m_combination.completed()) {
        m_summary->setText(FromUtf8(m_combination.message));
    } else {
        const tarvex::ResultSplit split =
            tarvex::SplitNumbers(tarvex::SetNumbers(m_combination.numbers));
        m_summary->setText(QStringLiteral("结果 %1 注：%2")
                               .arg(split.Numbers())
                               .arg(FromUtf8(tarvex::ResultSplitText(split))));
    }
    FillHolders();
}

// Every number some member holds, with how many hold it; sorting by a column keeps working
// across refills because the cells sort by their numbers.
void CSetsDlg::FillHolders() {
    std::vector<int> held;
    for (int n = 0; n < 1000; ++n) {
        if (m_combination.holders[static_cast<std::size_t>(n)] > 0)
            held.push_back(n);
    }
    m_holders->setSortingEnabled(false);
    m_holders->clearContents();
    m_holders->setRowCount(static_cast<int>(held.size()));
    for (int row = 0; row < m_holders->rowCount(); ++row) {
        const int n = held[static_cast<std::size_t>(row)];
        const bool in = m_combination.numbers.test(static_cast<std::size_t>(n));
        m_holders->setItem(row, 0, new QTableWidgetItem(FromUtf8(tarvex::CandidateText(n))));
        m_holders->setItem(row, 1, CountItem(m_combination.holders[static_cast<std::size_t>(n)]));
        m_holders->setItem(row, 2, new QTableWidgetItem(in ? QStringLiteral("是") : QString()));
    }
    m_holders->setSortingEnabled(true);
}

bool CSetsDlg::PutIntoResult() {
    if (!m_combination.completed() || !m_putResult)
        return false;
    return m_putResult(tarvex::SetResultText(m_combination.numbers));
}
