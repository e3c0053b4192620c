#include "widgets/CResultEdit.h"

CResultEdit::CResultEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
}
