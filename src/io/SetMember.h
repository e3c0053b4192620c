#pragma once

#include "engine/HistoricDraw.h"
#include "engine/NumberSet.h"
#include "engine/Settings.h"
#include "history/SetRecord.h"

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// One member of a combination (多方案): a scheme file, a number file or the current result.
struct SetMember {
    enum class Kind { Scheme, NumberFile, Current };

    Kind kind = Kind::NumberFile;
    QString name;    // the file's name without its folder, or "当前结果"
    QString path;    // the file read; empty for the current result
    Settings scheme; // a scheme's settings, kept for its record (rules)
    NumberSet numbers;
    QString error; // names the member and why it gives no numbers; empty when read
    bool ok() const { return error.isEmpty(); }
    int Count() const { return static_cast<int>(numbers.count()); }
};

// Reads members the way the window reads these files: a scheme through SchemeFile and
// 杀组合 (then 容错 at the scheme's level when asked), a number file as 选择大底 reads it.
class SetMemberReader {
public:
    // A name ending in ".json" (any case) is a scheme; anything else a number file.
    static bool IsScheme(const QString& path);
    // `keepScheme`: keep a scheme's settings for its record; without it only the numbers are
    // kept (the settings, page texts and all, are let go once the numbers are worked out).
    static SetMember Load(const QString& path, bool tolerance, bool keepScheme = true);
    static SetMember LoadScheme(const QString& path, bool tolerance, bool keepScheme = true);
    static SetMember LoadNumberFile(const QString& path);
    // The result box's text, read as 大底 reads it.
    static SetMember Current(const std::string& resultText);
    // The member's record over the newest `last` draws; a scheme's goes by its rules.
    static SetRecord Record(const SetMember& member, bool tolerance,
                            const std::vector<HistoricDraw>& history, std::size_t last);
};

} // namespace tarvex
