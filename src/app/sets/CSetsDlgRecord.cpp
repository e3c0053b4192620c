#include "app/sets/CSetRecordStrip.h"
#include "app/sets/CSetsDlg.h"
#include "app/shared/CHistoryBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString Percent(const tarvex::ExactRate& rate) {
    return rate.denominator == 0 ? QStringLiteral("0.00%") : QString::fromStdString(rate.Percent());
}

} // namespace

QWidget* CSetsDlg::BuildRecord() {
    auto* box = new QWidget(this);
    CHistoryBar::Options history;
    history.section = QStringLiteral("sets");
    history.lastMinimum = 1;
    history.lastDefault = kDefaultDraws;
    history.addFile = true;
    m_historyBar = new CHistoryBar(history, box);
    m_subject = new QComboBox(box);
    // A member's file name whole: "方案A.json", not "方案A.jso".
    m_subject->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QHBoxLayout* top = m_historyBar->Row();
    top->insertWidget(0, m_subject);
    top->insertWidget(0, new QLabel(QStringLiteral("大底走势："), box));
    m_figures = new QLabel(box);
    m_figures->setWordWrap(true);
    m_strip = new CSetRecordStrip(box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_historyBar);
    layout->addWidget(m_figures);
    layout->addWidget(m_strip);
    layout->addStretch(1);

    connect(m_historyBar, &CHistoryBar::Chosen, this, &CSetsDlg::ShowRecord);
    connect(m_historyBar->LastDraws(), &QSpinBox::valueChanged, this, &CSetsDlg::ShowRecord);
    connect(m_subject, &QComboBox::currentIndexChanged, this, &CSetsDlg::ShowRecord);
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
    // The row gives up room elsewhere before it cuts a name.
    m_subject->setMinimumWidth(m_subject->sizeHint().width());
}

bool CSetsDlg::LoadHistory(const QString& path) {
    if (!m_historyBar->Load(path))
        return false;
    ShowRecord();
    return true;
}

QSpinBox* CSetsDlg::RecordDraws() const {
    return m_historyBar->LastDraws();
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
        return tarvex::RecordSet(m_combination.numbers, m_historyBar->Draws(), last);
    }
    return tarvex::SetMemberReader::Record(m_members[static_cast<std::size_t>(subject - 1)],
                                           m_tolerance->isChecked(), m_historyBar->Draws(), last);
}

void CSetsDlg::ShowRecord() {
    if (m_subject == nullptr || m_historyBar->Draws().empty()) {
        m_record = {};
        m_strip->SetScan({}, {});
        m_figures->setText(QStringLiteral("选择开奖历史后显示每期中与不中。"));
        return;
    }
    m_record = RecordOfSubject(m_historyBar->Last());
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
    m_figures->setText(QStringLiteral("%1 期中 %2 期，命中率 %3（机会率 %4，随机选号应中 %5 期）；"
                                      "当前遗漏 %6 期，最大遗漏 %7 期。左旧右新，√ 中 × 不中。")
                           .arg(r.Draws())
                           .arg(r.hits)
                           .arg(Percent(r.HitShare()), Percent(r.ChanceShare()),
                                QString::number(r.ChanceHits(), 'f', 1))
                           .arg(r.currentMiss)
                           .arg(r.maxMiss));
}
