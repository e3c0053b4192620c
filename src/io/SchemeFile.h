#pragma once

#include "engine/Settings.h"
#include "io/SchemeReader.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace tarvex {

// 方案 files: every condition of the window as UTF-8 JSON.
class SchemeFile {
public:
    // No real scheme comes near this; anything larger is refused before it is read.
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    static SchemeReadResult Load(const QString& path);
    static SchemeReadResult FromBytes(const QByteArray& bytes);
    static SchemeReadResult FromString(const std::string& text);

    // Returns an empty text on success, otherwise the message naming file and reason.
    static QString Save(const QString& path, const Settings& settings);
    static QByteArray ToBytes(const Settings& settings);
    static std::string ToString(const Settings& settings);
};

} // namespace tarvex
