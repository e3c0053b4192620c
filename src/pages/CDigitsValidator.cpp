#include "pages/CDigitsValidator.h"

CDigitsValidator::CDigitsValidator(QObject* parent)
    : QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent) {}

QValidator::State CDigitsValidator::validate(QString& input, int& pos) const {
    QString digits;
    digits.reserve(input.size());
    int newPos = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
            if (i < pos)
                ++newPos;
        }
    }
    input = digits;
    pos = newPos;
    return QRegularExpressionValidator::validate(input, pos);
}
