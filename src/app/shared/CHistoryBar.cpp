#include "app/shared/CHistoryBar.h"
#include "app/shared/CHistoryWatch.h"
#include "app/shared/WindowHistory.h"

#include "framework/Utf8Text.h"
#include "io/DrawHistory.h"
#include "io/PlayerHistory.h"

#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CHistoryBar::CHistoryBar(const Options& options, QWidget* parent)
    : QWidget(parent), m_section(options.section), m_choose(options.chooseButton),
      m_add(options.addButton) {
    const bool compact = m_choose != nullptr;
    if (!m_choose)
        m_choose = new QPushButton(QStringLiteral("选择历史(&H)..."), this);
    if (!m_add && options.addFile)
        m_add = new QPushButton(QStringLiteral("加入文件…"), this);
    m_choose->setAutoDefault(false);
    if (m_add) {
        m_add->setAutoDefault(false);
        m_add->setToolTip(
            QStringLiteral("把另一个开奖历史文件并入已载入的历史；期号相同而号码不同的期不采用"));
        connect(m_add, &QPushButton::clicked, this, &CHistoryBar::OnAdd);
    }
    connect(m_choose, &QPushButton::clicked, this, &CHistoryBar::OnChoose);
    m_names = new QLineEdit(this);
    m_names->setReadOnly(true);
    m_names->setPlaceholderText(QStringLiteral("选择开奖历史文件（每行 期号 [日期] 号码）"));
    // However small the window, the file's name stays readable.
    m_names->setMinimumWidth(
        m_names->fontMetrics().horizontalAdvance(QStringLiteral("…/data/fc3d-history.txt")));
    m_last = new QSpinBox(this);
    m_last->setRange(options.lastMinimum, 100000);
    if (options.lastMinimum == 0)
        m_last->setSpecialValueText(QStringLiteral("全部"));
    m_last->setValue(options.lastDefault);
    // A compact bar sits in a fixed layout with no room below it: the window places the line.
    m_notice = new QLabel(compact && parent ? parent : this);
    m_notice->setObjectName(QStringLiteral("historyNotice"));
    m_notice->setWordWrap(true);
    m_notice->hide();
    BuildRow(options, compact);
    m_watch = new CHistoryWatch(this);
    connect(m_watch, &CHistoryWatch::Look, this, &CHistoryBar::LookAgain);
}

void CHistoryBar::BuildRow(const Options& options, bool compact) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_row = new QHBoxLayout;
    column->addLayout(m_row);
    if (m_notice->parentWidget() == this)
        column->addWidget(m_notice);
    if (!compact)
        m_row->addWidget(new QLabel(QStringLiteral("开奖历史："), this));
    m_row->addWidget(m_names, 1);
    if (!compact) {
        m_row->addWidget(m_choose);
        if (m_add && !options.addButton)
            m_row->addWidget(m_add);
    }
    m_row->addWidget(new QLabel(QStringLiteral("最近"), this));
    m_row->addWidget(m_last);
    if (!compact)
        m_row->addWidget(new QLabel(QStringLiteral("期"), this));
}

bool CHistoryBar::LoadRemembered() {
    m_followsStart = WindowHistory::Chosen(m_section).isEmpty();
    const QString path = WindowHistory::StartPath(m_section);
    if (!path.isEmpty())
        return Read({path});
    Watch({});
    return false;
}

bool CHistoryBar::Load(const QString& path) {
    if (!Read({path}))
        return false;
    m_followsStart = false;
    WindowHistory::Remember(m_section, path);
    return true;
}

// The remembered history stays the first file: an added one is for this session.
bool CHistoryBar::AddFile(const QString& path) {
    if (m_paths.isEmpty())
        return Load(path);
    return Read(m_paths + QStringList{path});
}

bool CHistoryBar::Read(const QStringList& paths) {
    // The version is taken before reading: a change while reading is seen at the next look.
    const QString stamp = WindowHistory::Stamp(paths);
    tarvex::DrawHistoryResult read = WindowHistory::Read(paths);
    if (!WindowHistory::Accept(this, read, paths, m_section))
        return false;
    m_stamp = stamp;
    m_reloadError.clear();
    Took(std::move(read.draws), paths, read.problems.size());
    return true;
}

void CHistoryBar::LookAgain() {
    QStringList paths = m_paths;
    // Without a choice the window moves to the player's own history once it appears; never
    // away from it: a history that has gone is a failed reload, not a reason for the sample.
    const QString own = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d);
    if (m_followsStart && paths.size() <= 1 && QFileInfo::exists(own))
        paths = {own};
    if (paths.isEmpty())
        return;
    const QString stamp = WindowHistory::Stamp(paths);
    if (paths == m_paths && stamp == m_stamp) {
        ShowNotice(); // the day may have changed since
        return;
    }
    Reread(paths, stamp);
}

// Quietly: no box for a change the player did not make here. What cannot be read leaves the
// draws as they were and says so under the row until the files read again.
void CHistoryBar::Reread(const QStringList& paths, const QString& stamp) {
    m_stamp = stamp;
    tarvex::DrawHistoryResult read = WindowHistory::Read(paths);
    if (!read.ok() || read.draws.empty()) {
        const QString reason = read.ok() ? QStringLiteral("文件里没有读到任何一期") : read.error;
        m_reloadError = m_draws.empty()
                            ? QStringLiteral("读不了开奖历史：%1").arg(reason)
                            : QStringLiteral("开奖历史改动后重新读取失败，仍用之前的 %1 期：%2")
                                  .arg(m_draws.size())
                                  .arg(reason);
        Watch(m_paths + paths);
        ShowNotice();
        return;
    }
    m_reloadError.clear();
    const bool same = paths == m_paths && read.draws == m_draws;
    Took(std::move(read.draws), paths, read.problems.size());
    if (!same)
        emit Chosen();
}

void CHistoryBar::Took(std::vector<tarvex::HistoricDraw> draws, const QStringList& paths,
                       std::size_t problems) {
    m_draws = std::move(draws);
    m_paths = paths;
    m_problems = problems;
    Watch(m_paths);
    ShowNames();
    ShowNotice();
}

// Without a choice, also the folder where the player's own history will appear.
void CHistoryBar::Watch(const QStringList& paths) {
    m_watch->Watch(m_followsStart
                       ? paths +
                             QStringList{tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d)}
                       : paths);
}

std::size_t CHistoryBar::Last() const {
    return static_cast<std::size_t>(m_last->value());
}

void CHistoryBar::OnChoose() {
    const QString path = WindowHistory::ChooseFile(this);
    if (!path.isEmpty() && Load(path))
        emit Chosen();
}

void CHistoryBar::OnAdd() {
    const QString path = WindowHistory::ChooseFile(this);
    if (!path.isEmpty() && AddFile(path))
        emit Chosen();
}

void CHistoryBar::ShowNames() {
    QStringList names;
    for (const QString& path : m_paths)
        names << QFileInfo(path).fileName();
    m_names->setText(names.join(QStringLiteral(" + ")));
    m_names->setCursorPosition(0);
    QString tip = QStringLiteral("%1\n%2期，%3 至 %4")
                      .arg(m_paths.join(u'\n'))
                      .arg(m_draws.size())
                      .arg(FromUtf8(m_draws.front().issue), FromUtf8(m_draws.back().issue));
    if (m_problems > 0)
        tip += QStringLiteral("\n有 %1 处问题行没有采用").arg(m_problems);
    m_names->setToolTip(tip);
}

void CHistoryBar::ShowNotice() {
    QStringList lines;
    if (!m_reloadError.isEmpty())
        lines << m_reloadError;
    const QString stale = tarvex::PlayerHistory::StaleText(m_draws, QDate::currentDate());
    if (!stale.isEmpty())
        lines << stale;
    // One line where it fits (the analysis window has room for one); the tooltip holds it all.
    m_notice->setText(lines.join(QStringLiteral("；")));
    m_notice->setVisible(!lines.isEmpty());
    if (!stale.isEmpty())
        lines << QStringLiteral("（主窗口菜单 → 更新开奖数据）");
    m_notice->setToolTip(lines.join(u'\n'));
}
