#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarvex {

// Files looked at, opened and replaced by name. Ordinary names go through Qt as before; a name
// that keeps bytes that are not UTF-8 (see NativeFileName) goes to the system by those bytes,
// which Qt cannot do, so the file opened or written is exactly the one the user named.
class NativeFile {
public:
    struct Info {
        bool exists = false;
        bool isFile = false; // a regular file, after following a link
        bool isDir = false;
        bool writable = false;
    };

    static Info Inspect(const QString& name);
    // The folder a name lies in, "." for a bare name.
    static QString Folder(const QString& name);
    // Opens for reading; false with errno set when it cannot. A folder is refused (EISDIR).
    static bool OpenForReading(const QString& name, QFile& file);

    struct ReplaceResult {
        int error = 0;           // errno, 0 when it worked or when a write came up short
        bool shortWrite = false; // the disk took fewer bytes than given
        bool ok() const { return error == 0 && !shortWrite; }
    };
    // For names with raw bytes only (Unix): a temporary file beside the target, written whole
    // and synced, then renamed over it, so a failed write leaves the earlier file as it was.
    // A link is followed, as QSaveFile does; an existing file keeps its permissions.
    static ReplaceResult Replace(const QString& name, const QByteArray& bytes);
    // For an existing device or pipe ("/dev/null", "/dev/full"), which no file may replace:
    // written in place, never waiting for a reader.
    static ReplaceResult WriteDevice(const QString& name, const QByteArray& bytes);
};

} // namespace tarvex
