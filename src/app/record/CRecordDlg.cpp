#include "app/record/CRecordDlg.h"

#include "app/record/CRecordKeeper.h"
#include "app/record/CRecordModel.h"
#include "app/record/RecordHistory.h"
#include "app/record/RecordSchemeName.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/CHistoryWatch.h"
#include "app/shared/TableRows.h"
#include "app/shared/WindowHistory.h"
#include "engine/RunText.h"
#include "io/PlayerHistory.h"
#include "io/PredictionBacktest.h"
#include "io/PredictionLine.h"
#include "io/PredictionTarget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// "—" when nothing was checked.
QString Percent(const tarvex::ExactRate& rate) {
    return QString::fromStdString(rate.Percent());
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CRecordDlg::CRecordDlg(const QString& recordPath,
                       std::map<std::string, std::vector<tarvex::HistoricDraw>> histories,
                       QWidget* parent)
    : QDialog(parent), m_recordPath(recordPath), m_histories(std::move(histories)) {
    setWindowTitle(QStringLiteral("预测记录"));
    BuildControls();
    m_record = tarvex::PredictionRecord::Load(m_recordPath);
    m_predictions = m_record.Predictions();
    Check();
    QStringList notes = m_record.notes;
    if (!m_record.ok())
        notes.prepend(m_record.error);
    if (m_record.entries.empty() && m_record.ok())
        notes << QStringLiteral("还没有预测记录：每次杀组合、容错后会记下一条（菜单“记录预测”）。");
    m_notes->setText(notes.join(u'\n'));
    m_notes->setVisible(!notes.isEmpty());
    m_target->setText(QString::fromStdString(CRecordKeeper::Target(Draws3D())));
    FillSchemes();
    Refresh();
}

const std::vector<tarvex::HistoricDraw>& CRecordDlg::Draws3D() const {
    static const std::vector<tarvex::HistoricDraw> kNone;
    const auto it = m_histories.find(tarvex::PredictionTarget::k3D);
    return it == m_histories.end() ? kNone : it->second;
}

void CRecordDlg::Check() {
    m_outcomes = tarvex::PredictionCheck(m_histories).CheckAll(m_predictions);
}

namespace {

QStringList FollowedPaths() {
    return {RecordHistory::Path(), tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Pl3)};
}

} // namespace

void CRecordDlg::FollowHistories() {
    if (m_watch == nullptr) {
        m_watch = new CHistoryWatch(this);
        connect(m_watch, &CHistoryWatch::Look, this, &CRecordDlg::OnHistoryLook);
    }
    m_historyStamp = WindowHistory::Stamp(FollowedPaths());
    m_watch->Watch(FollowedPaths());
}

// A draw added (or a history changed) while the window is open: the entries are checked again
// and 下次记为第 names the draw after the newest, unless the player is typing one.
void CRecordDlg::OnHistoryLook() {
    const QString stamp = WindowHistory::Stamp(FollowedPaths());
    if (stamp == m_historyStamp)
        return;
    m_historyStamp = stamp;
    m_watch->Watch(FollowedPaths());
    m_histories = RecordHistory::AllLotteries();
    Check();
    Refresh();
    if (!(m_target->hasFocus() && m_target->isModified()))
        m_target->setText(QString::fromStdString(CRecordKeeper::Target(Draws3D())));
}

void CRecordDlg::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

// A 期号 the player typed is kept for the coming entries; anything else is put back.
void CRecordDlg::OnTarget() {
    if (m_closing)
        return; // the focus left because the window closed: nothing was confirmed
    const std::vector<tarvex::HistoricDraw>& draws = Draws3D();
    if (!CRecordKeeper::SetTarget(m_target->text().trimmed().toStdString(), draws)) {
        m_target->setText(QString::fromStdString(CRecordKeeper::Target(draws)));
    }
}

void CRecordDlg::BuildControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("方案："), this));
    m_scheme = new QComboBox(this);
    top->addWidget(m_scheme, 1);
    top->addWidget(new QLabel(QStringLiteral("下次记为第"), this));
    m_target = new QLineEdit(this);
    m_target->setMaxLength(7);
    m_target->setMinimumWidth(
        m_target->fontMetrics().horizontalAdvance(QStringLiteral("20269999")));
    m_target->setToolTip(QStringLiteral("杀组合、容错记下的预测是哪一期的。默认是开奖数据最新一期的"
                                        "下一期；改了以后一直用到录入新的一期开奖号码为止。"));
    top->addWidget(m_target);
    top->addWidget(new QLabel(QStringLiteral("期"), this));
    m_notes = new QLabel(this);
    m_notes->setWordWrap(true);

    m_model = new CRecordModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Sized from the rows in view, not from every row of a long record.
    m_table->horizontalHeader()->setResizeContentsPrecision(50);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TableRows::Compact(m_table);

    m_figures = new QTableWidget(4, 7, this);
    m_figures->setHorizontalHeaderLabels({QStringLiteral("期数"), QStringLiteral("中"),
                                          QStringLiteral("命中率"), QStringLiteral("机会"),
                                          QStringLiteral("差"), QStringLiteral("注数"),
                                          QStringLiteral("花费(元)")});
    m_figures->setVerticalHeaderLabels({QStringLiteral("全部"), QStringLiteral("最近30期"),
                                        QStringLiteral("最近100期"),
                                        QStringLiteral("回测（首条之前）")});
    m_figures->setToolTip(
        QStringLiteral("期数：已开奖的期，每个方案每期只算一次（开奖前它最后记下的那条），不算事后"
                       "和改动过的记录。机会：随机选同样多的号码会中的比例（注数/1000 的平均）；"
                       "差：命中率减机会。回测：有开奖前记录的方案，在它第一条这样的记录之前的"
                       "各期。"));
    m_figures->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_figures->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_figures->resizeRowsToContents();
    // Four rows, always whole: the table and the detail share what is left.
    int figuresHeight =
        m_figures->horizontalHeader()->sizeHint().height() + 2 * m_figures->frameWidth();
    for (int row = 0; row < m_figures->rowCount(); ++row)
        figuresHeight += m_figures->rowHeight(row);
    m_figures->setFixedHeight(figuresHeight);

    m_detail = new QPlainTextEdit(this);
    m_detail->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_notes);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_figures);
    layout->addWidget(m_detail, 1);
    setMinimumSize(560, 440);
    resize(760, 560);

    connect(m_scheme, &QComboBox::currentIndexChanged, this, &CRecordDlg::Refresh);
    connect(m_target, &QLineEdit::editingFinished, this, &CRecordDlg::OnTarget);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CRecordDlg::ShowDetail);
}

// One item per scheme, in the order of their first entries, named by the conditions that
// kill (with the start of its id when two schemes read alike), with how many entries it has.
void CRecordDlg::FillSchemes() {
    m_scheme->addItem(QStringLiteral("全部方案"), QString());
    std::map<std::string, int> counts;
    std::vector<std::size_t> first;
    for (std::size_t i = 0; i < m_predictions.size(); ++i) {
        if (counts[m_predictions[i]->schemeId]++ == 0)
            first.push_back(i);
    }
    QStringList names;
    for (const std::size_t i : first)
        names << RecordSchemeName::Name(m_record.entries[i].scheme);
    for (qsizetype k = 0; k < names.size(); ++k) {
        const std::string& id = m_predictions[first[static_cast<std::size_t>(k)]]->schemeId;
        const QString shown = QString::fromStdString(id);
        QString name = names[k];
        if (names.count(name) > 1)
            name += QStringLiteral(" · ") + shown.left(6);
        m_scheme->addItem(QStringLiteral("%1（%2 条）").arg(name).arg(counts[id]), shown);
        m_scheme->setItemData(m_scheme->count() - 1, QStringLiteral("方案编号 ") + shown,
                              Qt::ToolTipRole);
    }
}

void CRecordDlg::Refresh() {
    const std::string chosen = m_scheme->currentData().toString().toStdString();
    m_keep.assign(m_predictions.size(), true);
    for (std::size_t i = 0; i < m_predictions.size(); ++i)
        m_keep[i] = chosen.empty() || m_predictions[i]->schemeId == chosen;
    m_summary = tarvex::Summarize(m_predictions, m_outcomes, m_keep);
    // Backtesting many schemes with rules takes seconds: a progress bar past a moment, and
    // a cancel that leaves the row empty rather than counting part of the schemes.
    tarvex::PredictionFigures backtest;
    // The first run is from the constructor, before this window is shown: the bar then
    // stands over the window that opened it.
    QWidget* over = isVisible() || parentWidget() == nullptr ? this : parentWidget();
    const bool finished = CBackgroundRun::Run(
        over, QStringLiteral("正在回测各方案…"), [&](const tarvex::ProgressFn& progress) {
            backtest = tarvex::PredictionBacktest::Run(m_record.entries, m_outcomes, m_keep,
                                                       m_histories, progress);
        });
    m_backtestCancelled = !finished;
    m_backtest = finished ? backtest : tarvex::PredictionFigures{};
    FillTable();
    FillFigures();
    ShowDetail();
}

// Newest first, as a player looks for yesterday's prediction.
void CRecordDlg::FillTable() {
    m_rows.clear();
    for (std::size_t i = m_predictions.size(); i-- > 0;) {
        if (m_keep[i])
            m_rows.push_back(i);
    }
    m_model->Show(m_record.entries, m_outcomes, m_rows);
}

void CRecordDlg::FillFigures() {
    const tarvex::PredictionFigures* rows[] = {&m_summary.all, &m_summary.last30,
                                               &m_summary.last100, &m_backtest};
    for (int row = 0; row < 4; ++row) {
        const tarvex::PredictionFigures& f = *rows[row];
        const QString texts[] = {QString::number(f.checked), QString::number(f.hits),
                                 Percent(f.HitShare()),      Percent(f.ChanceShare()),
                                 Percent(f.MarginShare()),   QString::number(f.played),
                                 QString::number(f.Cost())};
        const bool cancelled = row == 3 && m_backtestCancelled;
        for (int column = 0; column < 7; ++column) {
            const QString shown =
                !cancelled ? texts[column]
                           : (column == 0 ? QStringLiteral("已取消") : QStringLiteral("—"));
            m_figures->setItem(row, column, Cell(shown));
        }
    }
}

void CRecordDlg::ShowDetail() {
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        m_detail->setPlainText(QStringLiteral("选中一条记录，这里显示它的条件和杀号后的号码。"));
        return;
    }
    const tarvex::PredictionEntry& e = EntryAt(selected.first().row());
    const tarvex::Prediction& p = e.prediction;
    const QByteArray scheme =
        QJsonDocument::fromJson(QByteArray::fromStdString(e.scheme)).toJson(QJsonDocument::Compact);
    QStringList conditions = RecordSchemeName::Conditions(e.scheme);
    if (conditions.isEmpty())
        conditions << QStringLiteral("不杀号");
    QString text =
        QStringLiteral(
            "方案 %1：\n%2\n与开机时不同的设置（方案文件的写法）：\n%3\n杀号后 %4 注：\n%5\n")
            .arg(QString::fromStdString(p.schemeId), conditions.join(u'\n'),
                 QString::fromUtf8(scheme))
            .arg(p.count)
            .arg(QString::fromStdString(tarvex::PredictionLine::NumbersText(p.survivors)));
    if (p.toleranceLevel > 0) {
        text += QStringLiteral("\n容错 %1 级后 %2 注：\n%3\n")
                    .arg(p.toleranceLevel)
                    .arg(p.toleranceCount)
                    .arg(QString::fromStdString(tarvex::PredictionLine::NumbersText(p.tolerance)));
    }
    m_detail->setPlainText(text);
}

const tarvex::PredictionEntry& CRecordDlg::EntryAt(int row) const {
    return m_record.entries[m_rows.at(static_cast<std::size_t>(row))];
}
