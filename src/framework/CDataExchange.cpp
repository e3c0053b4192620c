#include "framework/CDataExchange.h"

#include "framework/CSoftLineText.h"
#include "framework/Platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

CDataExchange::CDataExchange(const CControlHost& host, QWidget* window, bool save)
    : m_host(host), m_window(window), m_save(save) {}

CDataExchange CDataExchange::Quiet(const CControlHost& host, QWidget* window) {
    CDataExchange dx(host, window, true);
    dx.m_quiet = true;
    return dx;
}

QWidget* CDataExchange::Control(int id) const {
    if (m_failed)
        return nullptr;
    QWidget* control = m_host.GetDlgItem(id);
    Q_ASSERT_X(control, "CDataExchange", "exchange with a control the window does not have");
    return control;
}

void CDataExchange::Check(int id, int& flag) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (!button)
        return;
    if (m_save)
        flag = button->isChecked() ? 1 : 0;
    else
        button->setChecked(flag != 0);
}

static QString ControlText(QWidget* control) {
    // A box that holds long lines in pieces gives them back joined.
    if (const CSoftLineText* soft = CSoftLineText::Of(control))
        return soft->Text();
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(control))
        return rich->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return {};
}

static void SetControlText(QWidget* control, const QString& text) {
    if (CSoftLineText* soft = CSoftLineText::Of(control)) {
        if (soft->Text() != text)
            soft->SetText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        if (plain->toPlainText() != text)
            plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        if (rich->toPlainText() != text)
            rich->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

void CDataExchange::Text(int id, QString& value) {
    QWidget* control = Control(id);
    if (!control)
        return;
    if (m_save)
        value = ControlText(control);
    else
        SetControlText(control, value);
}

void CDataExchange::Int(int id, int& value) {
    QWidget* control = Control(id);
    if (!control)
        return;
    if (!m_save) {
        SetControlText(control, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!ParseInt(ControlText(control), parsed)) {
        Fail(control, IntegerMessage());
        return;
    }
    value = parsed;
}

void CDataExchange::ComboIndex(int id, int& index) {
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    if (!combo)
        return;
    if (m_save)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

bool CDataExchange::ParseInt(const QString& text, int& value) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    qsizetype pos = 0;
    if (trimmed[0] == u'+' || trimmed[0] == u'-')
        pos = 1;
    if (pos == trimmed.size())
        return false;
    for (qsizetype i = pos; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9')
            return false;
    }
    bool ok = false;
    const int parsed = trimmed.toInt(&ok, 10);
    if (!ok)
        return false;
    value = parsed;
    return true;
}

QString CDataExchange::IntegerMessage() {
    return QStringLiteral("请输入一个整数。");
}

void CDataExchange::Fail(QWidget* control, const QString& message) {
    m_failed = true;
    m_refusal = message;
    if (m_quiet)
        return;
    Platform().Message(m_window, message, QStringLiteral("tarvex"), IPlatform::Icon::Exclamation);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->selectAll();
}
