#pragma once

#include <QString>

#include <string>

namespace tarvex {

// What a message may quote of text that came from outside (a file, a pasted text, an
// argument): at most kExcerptLength characters and then "…", so a 10 MB line can neither
// freeze a message box nor flood a terminal, and control characters shown as escapes
// ("\x1B", "\n"), never sent raw to a terminal or a message box.
class MessageText {
public:
    static constexpr qsizetype kExcerptLength = 60;

    static QString Excerpt(const QString& text, qsizetype length = kExcerptLength);
    static QString Excerpt(const std::string& utf8, qsizetype length = kExcerptLength);
    // The text in full with its control characters escaped.
    static QString Escaped(const QString& text);
    // A file name for a message: escaped, and beyond kFileNameLength characters its start and
    // its end (where the file's own name is) around "…".
    static constexpr qsizetype kFileNameLength = 200;
    static QString FileName(const QString& name);
};

} // namespace tarvex
