#include "app/shared/CHistoryBar.h"
#include "app/shared/WindowHistory.h"

#include "framework/Utf8Text.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <optional>

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
    m_last = new QSpinBox(this);
    m_last->setRange(options.lastMinimum, 100000);
    if (options.lastMinimum == 0)
        m_last->setSpecialValueText(QStringLiteral("全部"));
    m_last->setValue(options.lastDefault);
    BuildRow(options, compact);
}

void CHistoryBar::BuildRow(const Options& options, bool compact) {
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
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
    const QString path = WindowHistory::Remembered(m_section);
    return !path.isEmpty() && Load(path);
}

bool CHistoryBar::Load(const QString& path) {
    std::optional<std::vector<tarvex::HistoricDraw>> draws = WindowHistory::Load(this, path);
    if (!draws)
        return false;
    m_draws = std::move(*draws);
    m_paths = {path};
    ShowNames();
    WindowHistory::Remember(m_section, path);
    return true;
}

// The remembered history stays the first file: an added one is for this session.
bool CHistoryBar::AddFile(const QString& path) {
    if (m_paths.isEmpty())
        return Load(path);
    std::optional<std::vector<tarvex::HistoricDraw>> draws =
        WindowHistory::LoadAll(this, m_paths + QStringList{path});
    if (!draws)
        return false;
    m_draws = std::move(*draws);
    m_paths << path;
    ShowNames();
    return true;
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
    m_names->setToolTip(QStringLiteral("%1\n%2期，%3 至 %4")
                            .arg(m_paths.join(u'\n'))
                            .arg(m_draws.size())
                            .arg(FromUtf8(m_draws.front().issue), FromUtf8(m_draws.back().issue)));
}
