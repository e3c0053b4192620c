#include "app/analysis/CTrendDlg.h"
#include "app/analysis/CTrendModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

CTrendDlg::CTrendDlg(const std::vector<tarvex::HistoricDraw>& history, std::size_t last,
                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("走势图"));
    m_model = new CTrendModel(tarvex::TrendTable(history, last), this);
    const tarvex::TrendTable& table = m_model->Table();
    auto* summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("trendSummary"));
    if (!table.empty()) {
        summary->setText(QStringLiteral("共%1期，%2期至%3期；格中数字为该位该号的遗漏期数")
                             .arg(table.size())
                             .arg(QString::fromStdString(table[0].issue),
                                  QString::fromStdString(table[table.size() - 1].issue)));
    }
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    SizeColumns();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_view);
    resize(WidthForAllColumns(), 600);
    m_view->scrollToBottom();
}

// Wide enough for every column where the screen allows, so sum, span and shape show too.
int CTrendDlg::WidthForAllColumns() const {
    const int columns = m_view->horizontalHeader()->length();
    const int wanted = columns + m_view->verticalScrollBar()->sizeHint().width() + 40;
    const QScreen* shown = screen();
    return shown ? std::min(wanted, shown->availableGeometry().width() - 40) : wanted;
}

// Fixed widths from the font, not from the cells, which would read every row.
void CTrendDlg::SizeColumns() {
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    const int digit = fontMetrics().horizontalAdvance(QStringLiteral("百00")) + 6;
    for (int c = 0; c < CTrendModel::kColumnCount; ++c)
        header->resizeSection(c, digit);
    header->resizeSection(CTrendModel::kIssueColumn,
                          fontMetrics().horizontalAdvance(QStringLiteral("20260000")) + 10);
    header->resizeSection(CTrendModel::kNumberColumn,
                          fontMetrics().horizontalAdvance(QStringLiteral("号码")) + 10);
    header->resizeSection(CTrendModel::kShapeColumn,
                          fontMetrics().horizontalAdvance(QStringLiteral("形态")) + 10);
}
