#include "app/analysis/CAnalysisDlg.h"

#include "framework/Platform.h"
#include "framework/Utf8Text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTableWidget>

#include <algorithm>

// The combos beside 添加, as this window uses them: 1237 the action (杀 or 胆), 1238 the item
// of the shown analysis (following the table's selection), 1239 the analysis itself (picking
// one runs it, as its button does); edit 1029 names the control the condition goes to, and
// after 添加 what was added. Combos 1235/1236 keep their classic items.
namespace {

const char* const kActions[] = {"杀", "胆"};
const tarvex::ItemAction kActionOf[] = {tarvex::ItemAction::Kill, tarvex::ItemAction::Dan};
const char* const kNoCondition = "此项没有对应的条件";

// The classic combo is narrow: an analysis shows there by what it analyses ("石榴" for
// 石榴分析), its full name on hover.
QString ShortName(tarvex::AnalysisKind kind) {
    QString name = FromUtf8(tarvex::AnalysisName(kind));
    if (name.endsWith(QStringLiteral("分析")))
        name.chop(2);
    return name;
}

// A type a little smaller where the longest item would lose a glyph (down to a floor that
// still reads well); the dropped-down list keeps the window's type.
void FitItems(QComboBox* combo) {
    const QFont listFont = combo->view()->font();
    QFont font = combo->font();
    const auto fits = [combo](const QFont& f) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.frame = true;
        const int field =
            combo->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
                .width();
        const QFontMetrics metrics(f);
        for (int i = 0; i < combo->count(); ++i) {
            if (metrics.horizontalAdvance(combo->itemText(i)) > field)
                return false;
        }
        return true;
    };
    while (!fits(font) && font.pointSizeF() > 7.5)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    combo->setFont(font);
    combo->view()->setFont(listFont);
}

// The list that drops down is as wide as its longest item, however narrow the combo.
void WidenPopup(QComboBox* combo) {
    QAbstractItemView* view = combo->view();
    const int frame = 2 * view->frameWidth() + 4;
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, view->fontMetrics().horizontalAdvance(combo->itemText(i)));
    view->setMinimumWidth(std::max(combo->width(), widest + frame + 16));
}

} // namespace

void CAnalysisDlg::SetUpConditionControls() {
    auto* action = DlgItem<QComboBox>(kActionId);
    for (const char* text : kActions)
        action->addItem(QString::fromUtf8(text));
    auto* analysis = DlgItem<QComboBox>(kAnalysisId);
    for (tarvex::AnalysisKind kind : tarvex::kAnalysisKinds) {
        analysis->addItem(ShortName(kind));
        analysis->setItemData(analysis->count() - 1, FromUtf8(tarvex::AnalysisName(kind)),
                              Qt::ToolTipRole);
    }
    analysis->setCurrentIndex(-1);
    for (QComboBox* combo :
         {DlgItem<QComboBox>(kDrawsId), DlgItem<QComboBox>(kSecondDrawsId), action, analysis}) {
        FitItems(combo);
        WidenPopup(combo);
    }
    auto* target = DlgItem<QLineEdit>(kTargetId);
    target->setReadOnly(true);
    // The classic edit is narrow; its whole text is always one hover away.
    connect(target, &QLineEdit::textChanged, target, &QLineEdit::setToolTip);
    for (QComboBox* combo : {action, DlgItem<QComboBox>(kItemId)})
        connect(combo, &QComboBox::currentTextChanged, combo, &QComboBox::setToolTip);
    connect(analysis, &QComboBox::currentIndexChanged, analysis, [analysis](int index) {
        analysis->setToolTip(analysis->itemData(index, Qt::ToolTipRole).toString());
    });
    connect(action, &QComboBox::currentIndexChanged, this, &CAnalysisDlg::ShowConditionPreview);
    connect(DlgItem<QComboBox>(kItemId), &QComboBox::currentIndexChanged, this,
            &CAnalysisDlg::ShowConditionPreview);
    connect(analysis, &QComboBox::activated, this, &CAnalysisDlg::OnAnalysisChosen);
    connect(DlgItem<QPushButton>(kAddId), &QPushButton::clicked, this, &CAnalysisDlg::OnAdd);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, &CAnalysisDlg::OnRowMenuRequested);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CAnalysisDlg::OnRowSelected);
}

// After each analysis: its items in 1238, its name in 1239.
void CAnalysisDlg::FillConditionCombos() {
    auto* items = DlgItem<QComboBox>(kItemId);
    const QSignalBlocker blocker(items);
    items->clear();
    for (const tarvex::OmissionRow& row : m_analysis.rows)
        items->addItem(FromUtf8(row.item));
    items->setCurrentIndex(m_analysis.rows.empty() ? -1 : 0);
    WidenPopup(items);
    const auto kind = static_cast<int>(m_analysis.kind);
    DlgItem<QComboBox>(kAnalysisId)->setCurrentIndex(kind);
    ShowConditionPreview();
}

void CAnalysisDlg::OnAnalysisChosen(int index) {
    if (index >= 0 && index < static_cast<int>(tarvex::kAnalysisKinds.size()))
        RunAnalysis(tarvex::kAnalysisKinds[static_cast<std::size_t>(index)]);
}

void CAnalysisDlg::OnRowSelected() {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty() || m_analysis.rows.empty())
        return;
    const QTableWidgetItem* first = m_table->item(selected.first()->row(), 0);
    if (first)
        DlgItem<QComboBox>(kItemId)->setCurrentIndex(first->data(Qt::UserRole).toInt());
}

void CAnalysisDlg::ShowConditionPreview() {
    auto* edit = DlgItem<QLineEdit>(kTargetId);
    const int item = DlgItem<QComboBox>(kItemId)->currentIndex();
    const int action = DlgItem<QComboBox>(kActionId)->currentIndex();
    if (item < 0 || item >= static_cast<int>(m_analysis.rows.size()) || action < 0) {
        edit->clear();
        return;
    }
    const std::string text = tarvex::ItemConditionText(
        m_analysis.rows[static_cast<std::size_t>(item)].condition, kActionOf[action]);
    edit->setText(text.empty() ? QString::fromUtf8(kNoCondition) : FromUtf8(text));
    edit->setToolTip(edit->text()); // the edit is narrow; the whole text shows on hover
}

const tarvex::OmissionRow* CAnalysisDlg::RowOfTable(int tableRow) const {
    const QTableWidgetItem* cell = m_table->item(tableRow, 0);
    if (!cell || m_analysis.rows.empty())
        return nullptr;
    const int row = cell->data(Qt::UserRole).toInt();
    if (row < 0 || row >= static_cast<int>(m_analysis.rows.size()))
        return nullptr;
    return &m_analysis.rows[static_cast<std::size_t>(row)];
}

std::unique_ptr<QMenu> CAnalysisDlg::RowMenu(int tableRow) {
    auto menu = std::make_unique<QMenu>(this);
    const tarvex::OmissionRow* row = RowOfTable(tableRow);
    for (std::size_t i = 0; i < std::size(kActions); ++i) {
        const tarvex::ItemAction action = kActionOf[i];
        QAction* item = menu->addAction(QString::fromUtf8(kActions[i]));
        item->setEnabled(m_apply && row && tarvex::ItemAllows(row->condition, action));
        if (row)
            item->setToolTip(FromUtf8(tarvex::ItemConditionText(row->condition, action)));
        connect(item, &QAction::triggered, this,
                [this, tableRow, action] { ApplyRow(tableRow, action); });
    }
    return menu;
}

void CAnalysisDlg::OnRowMenuRequested(const QPoint& pos) {
    const int tableRow = m_table->rowAt(pos.y());
    if (tableRow < 0)
        return;
    const std::unique_ptr<QMenu> menu = RowMenu(tableRow);
    menu->exec(m_table->viewport()->mapToGlobal(pos));
}

bool CAnalysisDlg::ApplyRow(int tableRow, tarvex::ItemAction action) {
    const tarvex::OmissionRow* row = RowOfTable(tableRow);
    return row && Apply(*row, action);
}

void CAnalysisDlg::OnAdd() {
    const int item = DlgItem<QComboBox>(kItemId)->currentIndex();
    const int action = DlgItem<QComboBox>(kActionId)->currentIndex();
    if (item < 0 || item >= static_cast<int>(m_analysis.rows.size()) || action < 0) {
        Platform().Message(this, QStringLiteral("请先点一个分析按钮，再在表中选择要添加的项目。"));
        return;
    }
    const tarvex::OmissionRow& row = m_analysis.rows[static_cast<std::size_t>(item)];
    if (!Apply(row, kActionOf[action])) {
        Platform().Message(this, QStringLiteral("“%1”不能%2：主窗口没有对应的条件。")
                                     .arg(FromUtf8(row.item), QString::fromUtf8(kActions[action])));
    }
}

bool CAnalysisDlg::Apply(const tarvex::OmissionRow& row, tarvex::ItemAction action) {
    if (!m_apply || !tarvex::ItemAllows(row.condition, action))
        return false;
    if (!m_apply(row.condition, action))
        return false;
    DlgItem<QLineEdit>(kTargetId)->setText(
        QStringLiteral("已添加：") + FromUtf8(tarvex::ItemConditionText(row.condition, action)));
    return true;
}
