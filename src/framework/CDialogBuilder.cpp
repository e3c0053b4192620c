#include "framework/CDialogBuilder.h"

#include "framework/CLongLineEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

CDialogBuilder::CDialogBuilder(QWidget* parent, CControlHost& host)
    : m_parent(parent), m_host(host), m_units(parent->font()) {}

void CDialogBuilder::CreateAll(std::span<const ControlSpec> specs) {
    for (const ControlSpec& spec : specs)
        Create(spec);
}

QWidget* CDialogBuilder::Create(const ControlSpec& spec) {
    QWidget* control = Make(spec);
    if (spec.id >= 0)
        control->setObjectName(QStringLiteral("ctl%1").arg(spec.id));
    control->setGeometry(m_units.Rect(spec.x, spec.y, spec.w, spec.h));
    ApplyStyle(control, spec);
    m_host.RegisterControl(spec.id, control);
    return control;
}

QButtonGroup* CDialogBuilder::RadioGroupOf(int id) const {
    auto* radio = m_host.DlgItem<QRadioButton>(id);
    return radio ? radio->group() : nullptr;
}

QWidget* CDialogBuilder::Make(const ControlSpec& spec) {
    const QString caption = QString::fromUtf8(spec.caption ? spec.caption : "");
    switch (spec.kind) {
    case ControlKind::Static:
        return MakeStatic(spec);
    case ControlKind::Button:
    case ControlKind::FlatButton:
        return MakeButton(spec);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, m_parent);
    case ControlKind::Radio:
        return MakeRadio(spec);
    case ControlKind::GroupBox: {
        auto* frame = new QGroupBox(caption, m_parent);
        // Frames are drawn behind the controls they surround, never over them.
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::Edit:
        return new QLineEdit(caption, m_parent);
    case ControlKind::MultiLineEdit:
        return MakeMultiLineEdit(spec);
    case ControlKind::DropList: {
        auto* combo = new QComboBox(m_parent);
        combo->setEditable(false);
        return combo;
    }
    case ControlKind::SortedList: {
        auto* list = new QListWidget(m_parent);
        list->setSortingEnabled(true);
        return list;
    }
    case ControlKind::ReportList:
        return MakeReportList(spec);
    case ControlKind::RichEdit:
    case ControlKind::LinkLabel:
        if (spec.make)
            return spec.make(m_parent, caption);
        break;
    case ControlKind::Icon:
        return MakeIcon(spec);
    }
    return new QWidget(m_parent);
}

QWidget* CDialogBuilder::MakeStatic(const ControlSpec& spec) {
    auto* label = new QLabel(QString::fromUtf8(spec.caption ? spec.caption : ""), m_parent);
    Qt::Alignment align = Qt::AlignLeft;
    if (spec.style & StyleCenter)
        align = Qt::AlignHCenter;
    else if (spec.style & StyleRight)
        align = Qt::AlignRight;
    align |= (spec.style & StyleVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(align);
    // Statics show counts and hints verbatim; nothing in them is markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* CDialogBuilder::MakeButton(const ControlSpec& spec) {
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), m_parent);
    // No button is ever the default: Enter must not end a window behind the user's back.
    button->setAutoDefault(false);
    button->setDefault(false);
    if (spec.kind == ControlKind::FlatButton) {
        // A flat button still shows a thin frame, so the player can tell it is a button.
        button->setFlat(true);
        button->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid palette(dark); background: palette(button);"
            " padding: 0px 2px; }"
            "QPushButton:pressed { background: palette(midlight); }"));
    }
    return button;
}

QWidget* CDialogBuilder::MakeRadio(const ControlSpec& spec) {
    auto* radio = new QRadioButton(QString::fromUtf8(spec.caption), m_parent);
    if (!m_radioGroup || (spec.style & StyleGroup)) {
        m_radioGroup = new QButtonGroup(m_parent);
        m_radioGroup->setExclusive(true);
    }
    m_radioGroup->addButton(radio, spec.id);
    return radio;
}

QWidget* CDialogBuilder::MakeMultiLineEdit(const ControlSpec& spec) {
    auto* edit = new CLongLineEdit(QString::fromUtf8(spec.caption), m_parent);
    const auto policy =
        (spec.style & StyleNoScroll) ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    edit->setVerticalScrollBarPolicy(policy);
    edit->setHorizontalScrollBarPolicy(policy);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(false);
    return edit;
}

QWidget* CDialogBuilder::MakeReportList(const ControlSpec& spec) {
    auto* table = new QTableWidget(m_parent);
    table->setShowGrid(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode((spec.style & StyleMultiSelect) ? QAbstractItemView::ExtendedSelection
                                                            : QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(m_units.BaseY() + 4);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(false);
    return table;
}

QWidget* CDialogBuilder::MakeIcon(const ControlSpec& spec) {
    auto* label = new QLabel(m_parent);
    const QSize size = m_units.Size(spec.w, spec.h);
    const int side = std::max(32, std::min(size.width(), size.height()));
    label->setPixmap(QIcon(QStringLiteral(":/tarvex.png")).pixmap(side, side));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void CDialogBuilder::ApplyStyle(QWidget* control, const ControlSpec& spec) const {
    if (spec.style & StyleZeroSize)
        control->setGeometry(control->x(), control->y(), 0, 0);
    if (spec.style & StyleHidden)
        control->setVisible(false);
    if (spec.style & StyleDisabled)
        control->setEnabled(false);
    if (spec.style & StyleReadOnly) {
        if (auto* line = qobject_cast<QLineEdit*>(control))
            line->setReadOnly(true);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            text->setReadOnly(true);
    }
}
