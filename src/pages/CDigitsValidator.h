#pragma once

#include <QRegularExpressionValidator>

// Accepts "[0-9]*". Other characters are dropped rather than refusing the whole input, so
// that pasting "12 元" leaves "12" instead of nothing.
class CDigitsValidator : public QRegularExpressionValidator {
    Q_OBJECT
public:
    explicit CDigitsValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};
