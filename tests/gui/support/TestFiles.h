#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a file the window wrote, or "<missing>" when it cannot be read.
QByteArray ReadBytes(const QString& path);
// Writes bytes as a file for the window to read; false when that failed.
bool WriteBytes(const QString& path, const QByteArray& bytes);
