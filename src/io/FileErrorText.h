#pragma once

#include <QString>

namespace tarvex {

// Why a file could not be read or written, in Chinese, instead of Qt's English
// ("Permission denied", "Existing file … is not writable"). The cause is found from the
// error number the failed call left and from what stands at the path, so a read-only folder
// is blamed even when the file in it could be written.
class FileErrorText {
public:
    struct Place {
        bool exists = false;        // something stands at the path
        bool isFolder = false;      // and it is a folder
        bool writable = false;      // and may be written
        bool folderExists = true;   // the folder the path lies in
        bool folderWritable = true; // and new files may be made in it
        bool folderIsFolder = true; // it is not a file
    };

    // errnoValue as the failed open, write or rename left it (0 when unknown).
    static QString Reason(const QString& path, bool writing, int errnoValue);
    static QString Reason(const Place& place, bool writing, int errnoValue);
    static Place Inspect(const QString& path);
};

} // namespace tarvex
