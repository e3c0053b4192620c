#pragma once

#include "engine/Settings.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace tarvex {

struct SchemeReadResult {
    Settings settings;
    QString error; // empty when the scheme was read; otherwise names the offending key
    bool ok() const { return error.isEmpty(); }
};

// The UTF-8 JSON scheme → Settings. Absent keys keep the start-up values; an unknown key,
// a wrong type, a wrong array length or a value the window cannot show is an error.
class SchemeReader {
public:
    static SchemeReadResult Read(const QByteArray& bytes);

private:
    void ReadTop(const QJsonObject& top);

    Settings settings_;
};

} // namespace tarvex
