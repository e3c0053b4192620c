#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvex {

// What QJsonDocument does not tell: a key given twice in one object (it keeps the last one
// silently), and where in the text a byte offset lies.
class JsonKeyScan {
public:
    struct Position {
        qsizetype line = 1;   // from 1
        qsizetype column = 1; // from 1, in characters
    };

    // The path of the first key that repeats within its object ("pages.direct",
    // "matches[1].numbers"), for text that is valid JSON.
    static std::optional<QString> FirstDuplicateKey(const QByteArray& json);
    static Position PositionOf(const QByteArray& text, qsizetype offset);
};

} // namespace tarvex
