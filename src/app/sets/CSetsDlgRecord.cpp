#include "app/sets/CSetRecordStrip.h"
#include "app/sets/CSetsDlg.h"
#include "app/shared/WindowHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString Percent(double rate) {
    return QString::number(rate * 100.0, 'f', 2) + '%';
}

} // namespace

QWidget* CSetsDlg::BuildRecord() {
    auto* box = new QWidget(this);
    m_path = new QLineEdit(box);
    m_path->setReadOnly(true);
    m_path->setPlaceholderText(QStringLiteral("选择开奖历史文件（每行 期号 [日期] 号码）"));
    auto* choose = new QPushButton(QStringLiteral("选择历史(&H)..."), box);
    choose->setAutoDefault(false);
    m_subject = new QComboBox(box);
    m_last = new QSpinBox(box);
    m_last->setRange(1, 100000);
    m_last->setValue(kDefaultDraws);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("大底走势："), box));
    top->addWidget(m_subject);
    top->addWidget(new QLabel(QStringLiteral("开奖历史："), box));
    top->addWidget(m_path, 1);
    top->addWidget(choose);
    top->addWidget(new QLabel(QStringLiteral("最近"), box));
    top->addWidget(m_last);
    top->addWidget(new QLabel(QStringLiteral("期"), box));
    m_figures = new QLabel(box);
    m_figures->setWordWrap(true);
    m_strip = new CSetRecordStrip(box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_figures);
    layout->addWidget(m_strip);
    layout->addStretch(1);

    connect(choose, &QPushButton::clicked, this, &CSetsDlg::OnChooseHistory);
    connect(m_subject, &QComboBox::currentIndexChanged, this, &CSetsDlg::ShowRecord);
    connect(m_last, &QSpinBox::valueChanged, this, &CSetsDlg::ShowRecord);
    FillSubjects();
    return box;
}

// 组合结果 first, then the members in their order; the choice stays where it can.
void CSetsDlg::FillSubjects() {
    if (m_subject == nullptr)
        return;
    const int chosen = m_subject->currentIndex();
    const QSignalBlocker quiet(m_subject);
    m_subject->clear();
    m_subject->addItem(QStringLiteral("组合结果"));
    for (const tarvex::SetMember& m : m_members)
        m_subject->addItem(m.name);
    m_subject->setCurrentIndex(chosen >= 0 && chosen < m_subject->count() ? chosen : 0);
}

void CSetsDlg::OnChooseHistory() {
    const QString path = WindowHistory::ChooseFile(this);
    if (!path.isEmpty() && LoadHistory(path))
        WindowHistory::Remember(QStringLiteral("sets"), path);
}

bool CSetsDlg::LoadHistory(const QString& path) {
    std::optional<std::vector<tarvex::HistoricDraw>> draws = WindowHistory::Load(this, path);
    if (!draws)
        return false;
    m_history = std::move(*draws);
    m_path->setText(path);
    ShowRecord();
    return true;
}

// A scheme member goes by its rules draw by draw; the result and the other members are
// fixed sets.
tarvex::SetRecord CSetsDlg::RecordOfSubject(std::size_t last) const {
    const int subject = m_subject->currentIndex();
    if (subject <= 0 || subject > static_cast<int>(m_members.size())) {
        if (!m_combination.completed()) {
            tarvex::SetRecord none;
            none.message = m_combination.message;
            return none;
        }
        return tarvex::RecordSet(m_combination.numbers, m_history, last);
    }
    return tarvex::SetMemberReader::Record(m_members[static_cast<std::size_t>(subject - 1)],
                                           m_tolerance->isChecked(), m_history, last);
}

void CSetsDlg::ShowRecord() {
    if (m_subject == nullptr || m_history.empty()) {
        m_record = {};
        m_strip->SetScan({}, {});
        m_figures->setText(QStringLiteral("选择开奖历史后显示每期中与不中。"));
        return;
    }
    m_record = RecordOfSubject(static_cast<std::size_t>(m_last->value()));
    m_strip->SetScan(m_record.scan, m_record.issues);
    ShowFigures();
}

// Every figure beside what chance alone gives: a set of S numbers wins S/1000 of the draws.
void CSetsDlg::ShowFigures() {
    const tarvex::SetRecord& r = m_record;
    if (!r.completed()) {
        m_figures->setText(QString::fromStdString(r.message));
        return;
    }
    m_figures->setText(
        QStringLiteral("%1 期中 %2 期，命中率 %3（机会率 %4，随机选号应中 %5 期）；"
                       "当前遗漏 %6 期，最大遗漏 %7 期。左旧右新，√ 中 × 不中。")
            .arg(r.Draws())
            .arg(r.hits)
            .arg(Percent(r.HitRate()), Percent(r.Chance()), QString::number(r.ChanceHits(), 'f', 1))
            .arg(r.currentMiss)
            .arg(r.maxMiss));
}
