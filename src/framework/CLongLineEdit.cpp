#include "framework/CLongLineEdit.h"

CLongLineEdit::CLongLineEdit(const QString& text, QWidget* parent) : TSoftLineBox(parent) {
    SoftText()->SetText(text);
}
