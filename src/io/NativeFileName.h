#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvex {

// File names as the system gives them. On Unix a name is bytes, mostly but not always UTF-8: a
// GBK name unpacked from a Windows archive is not. Such a name travels through the program as a
// QString in which every byte that is not part of valid UTF-8 is kept as the lone surrogate
// U+DC80 + byte, so it survives every QString hop and goes back to the system byte for byte.
// Valid UTF-8 never decodes to such a surrogate, so ordinary names are untouched. Qt's own file
// classes would turn these bytes into U+FFFD, so such names are opened by NativeFile.
class NativeFileName {
public:
    static QString FromBytes(const QByteArray& bytes);
    static QByteArray ToBytes(const QString& name);
    // True when the name keeps bytes that are not UTF-8 (never on Windows, whose names are
    // UTF-16 and go to Qt as they are).
    static bool HasRawBytes(const QString& name);
    // The text for messages: each kept byte shown as "\xB7", everything else as it stands.
    static QString Shown(const QString& text);
    // A file name for a message: Shown, its control characters escaped and a very long name
    // cut in its middle (MessageText::FileName).
    static QString ShownName(const QString& name);
    // The program's arguments, argv[0] first: on Unix from argv's bytes, so a name that is
    // not UTF-8 keeps its bytes; on Windows Qt's (needs the application object).
    static QStringList Arguments(int argc, char** argv);
};

} // namespace tarvex
