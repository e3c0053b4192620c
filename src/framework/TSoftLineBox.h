#pragma once

#include "framework/CSoftLineText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

// A text box (QPlainTextEdit or QTextEdit) whose keys, typing, copying and pasting go through
// its CSoftLineText, so a line split only for display behaves as one line.
template <class Box> class TSoftLineBox : public Box {
public:
    explicit TSoftLineBox(QWidget* parent)
        : Box(parent), m_soft(new CSoftLineText(this, this->document())) {}

    CSoftLineText* SoftText() const { return m_soft; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QTextCursor cursor = this->textCursor();
        if (!this->isReadOnly() && m_soft->HandleKey(cursor, event)) {
            this->setTextCursor(cursor);
            this->ensureCursorVisible();
            event->accept();
            return;
        }
        Box::keyPressEvent(event);
        m_soft->Tidy();
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        Box::inputMethodEvent(event);
        m_soft->Tidy();
    }

    QMimeData* createMimeDataFromSelection() const override {
        if (QMimeData* joined = m_soft->MimeData(this->textCursor()))
            return joined;
        return Box::createMimeDataFromSelection();
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (this->isReadOnly() || !source || !source->hasText()) {
            Box::insertFromMimeData(source);
            return;
        }
        QTextCursor cursor = this->textCursor();
        m_soft->Insert(cursor, source->text());
        this->setTextCursor(cursor);
        this->ensureCursorVisible();
    }

private:
    CSoftLineText* m_soft;
};
