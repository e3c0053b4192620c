#include "framework/CLongLineEdit.h"

#include "framework/CSoftLineText.h"

#include <QKeyEvent>
#include <QMimeData>

CLongLineEdit::CLongLineEdit(const QString& text, QWidget* parent)
    : QPlainTextEdit(parent), m_soft(new CSoftLineText(this, document())) {
    m_soft->SetText(text);
}

void CLongLineEdit::keyPressEvent(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (!isReadOnly() && m_soft->HandleKey(cursor, event)) {
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    m_soft->Tidy();
}

void CLongLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    QPlainTextEdit::inputMethodEvent(event);
    m_soft->Tidy();
}

QMimeData* CLongLineEdit::createMimeDataFromSelection() const {
    if (QMimeData* joined = m_soft->MimeData(textCursor()))
        return joined;
    return QPlainTextEdit::createMimeDataFromSelection();
}

void CLongLineEdit::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    m_soft->Insert(cursor, source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
}
