#pragma once

#include "framework/TSoftLineBox.h"

#include <QPlainTextEdit>

// The multi-line edit of a dialog template: a plain-text box that stays fast with lines of
// several megabytes (see CSoftLineText). Read and set its text through CSoftLineText::Of.
class CLongLineEdit : public TSoftLineBox<QPlainTextEdit> {
    Q_OBJECT
public:
    explicit CLongLineEdit(const QString& text, QWidget* parent = nullptr);
};
