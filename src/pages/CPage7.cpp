#include "pages/CPage7.h"

#include "pages/CDigitsValidator.h"
#include "pages/ReportListRows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include <algorithm>

namespace {

using K = ControlKind;

const ControlSpec kControls[] = {
    {CPage7::kLeftId, K::DropList, "", 3, 9, 31, 71},
    {CPage7::kOperationId, K::DropList, "", 40, 9, 42, 67},
    {CPage7::kRightId, K::DropList, "", 87, 9, 33, 66},
    {CPage7::kComparisonId, K::DropList, "", 2, 31, 33, 66},
    {CPage7::kValueId, K::Edit, "", 43, 31, 25, 13},
    {CPage7::kAddId, K::FlatButton, "添加", 78, 32, 20, 12},
    {CPage7::kDeleteId, K::FlatButton, "删除", 109, 31, 20, 13},
    {CPage7::kDeleteAllId, K::FlatButton, "全删", 109, 47, 20, 13},
    {CPage7::kFormulaMatchId, K::CheckBox, "公式匹配", 4, 49, 47, 15},
    {CPage7::kAndId, K::Radio, "与", 53, 51, 21, 10, StyleGroup},
    {CPage7::kOrId, K::Radio, "或", 79, 51, 20, 10},
    {CPage7::kListId, K::ReportList, "", 136, 1, 142, 61, StyleMultiSelect},
};

// The controls that 公式匹配 switches; the check box and the radio buttons stay enabled.
const std::initializer_list<int> kFormulaControls = {
    CPage7::kLeftId,   CPage7::kOperationId,  CPage7::kRightId,
    CPage7::kListId,   CPage7::kComparisonId, CPage7::kAddId,
    CPage7::kDeleteId, CPage7::kValueId,      CPage7::kDeleteAllId};

} // namespace

CPage7::CPage7(QWidget* parent) : CPropertyPage(QStringLiteral("公式"), parent) {
    CreateControls(kControls, 279, 70);
    // A drop-down list's template height includes its open list; closed it is one line.
    // A narrower arrow and padding leave the closed lists room for "不等于" and "取余" at the
    // classic widths.
    for (int id : {kLeftId, kOperationId, kRightId, kComparisonId}) {
        QWidget* combo = GetDlgItem(id);
        combo->resize(combo->width(), std::min(combo->height(), combo->sizeHint().height()));
        combo->setStyleSheet(QStringLiteral("QComboBox { padding-left: 1px; padding-right: 0px; }"
                                            "QComboBox::drop-down { width: 9px; }"));
    }
    FillDropLists();
    DlgItem<QLineEdit>(kValueId)->setValidator(new CDigitsValidator(this));
    auto onClick = [this](int id, auto handler) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(kAddId, [this] { OnAdd(); });
    onClick(kDeleteId, [this] { OnDelete(); });
    onClick(kDeleteAllId, [this] { OnDeleteAll(); });
    onClick(kFormulaMatchId, [this] { OnFormulaMatch(); });
    onClick(kAndId, [this] { CombineMode = 1; });
    onClick(kOrId, [this] { CombineMode = 0; });
}

void CPage7::FillDropLists() {
    DlgItem<QComboBox>(kLeftId)->addItems(
        {QStringLiteral("百"), QStringLiteral("十"), QStringLiteral("个"), QStringLiteral("和")});
    DlgItem<QComboBox>(kOperationId)
        ->addItems({QStringLiteral("加"), QStringLiteral("减"), QStringLiteral("乘"),
                    QStringLiteral("除"), QStringLiteral("取余")});
    QStringList operands{QStringLiteral("百"), QStringLiteral("十"), QStringLiteral("个")};
    for (int d = 1; d <= 9; ++d)
        operands << QString::number(d);
    DlgItem<QComboBox>(kRightId)->addItems(operands);
    DlgItem<QComboBox>(kComparisonId)
        ->addItems({QStringLiteral("等于"), QStringLiteral("不等于"), QStringLiteral("大于"),
                    QStringLiteral("小于")});
}

// Runs when the page is first shown (or before settings are applied to it).
bool CPage7::OnInitDialog() {
    UpdateData(false);
    EnableFormulaControls();
    SetUpColumns();
    DlgItem<QComboBox>(kLeftId)->setCurrentIndex(0);
    DlgItem<QComboBox>(kOperationId)->setCurrentIndex(0);
    DlgItem<QComboBox>(kRightId)->setCurrentIndex(1);
    DlgItem<QComboBox>(kComparisonId)->setCurrentIndex(0);
    SetCombineMode(1);
    return true;
}

void CPage7::SetUpColumns() {
    QTableWidget* list = List();
    list->setColumnCount(kColumns);
    for (int c = 0; c < kColumns; ++c) {
        auto* header = new QTableWidgetItem(QStringLiteral("   "));
        header->setTextAlignment(Qt::AlignCenter);
        list->setHorizontalHeaderItem(c, header);
        list->setColumnWidth(c, 40);
    }
}

void CPage7::DoDataExchange(CDataExchange& dx) {
    dx.Text(kValueId, m_strValue);
    dx.Check(kFormulaMatchId, m_bFormulaMatch);
}

QTableWidget* CPage7::List() const {
    return DlgItem<QTableWidget>(kListId);
}

QList<QStringList> CPage7::Rows() const {
    return ReportListRows::Rows(List());
}

void CPage7::SetRows(const QList<QStringList>& rows) {
    InitDialog();
    ReportListRows::SetRows(List(), rows);
}

void CPage7::SetCombineMode(int mode) {
    CombineMode = mode;
    DlgItem<QAbstractButton>(mode ? kAndId : kOrId)->setChecked(true);
}

void CPage7::EnableFormulaControls() {
    EnableDlgItems(kFormulaControls, m_bFormulaMatch != 0);
}

// A new row goes on top; nothing is added while any of its five texts is empty.
void CPage7::OnAdd() {
    UpdateData(true);
    const QStringList cells{DlgItem<QComboBox>(kLeftId)->currentText(),
                            DlgItem<QComboBox>(kOperationId)->currentText(),
                            DlgItem<QComboBox>(kRightId)->currentText(),
                            DlgItem<QComboBox>(kComparisonId)->currentText(), m_strValue};
    if (std::any_of(cells.begin(), cells.end(), [](const QString& s) { return s.isEmpty(); }))
        return;
    ReportListRows::InsertTop(List(), cells);
}

// Only the topmost selected row goes; further selected rows stay.
void CPage7::OnDelete() {
    ReportListRows::DeleteFirstSelected(List());
}

void CPage7::OnDeleteAll() {
    List()->setRowCount(0);
}

void CPage7::OnFormulaMatch() {
    UpdateData(true);
    EnableFormulaControls();
    UpdateData(true);
}
