#pragma once

#include "engine/Settings.h"
#include "io/PredictionEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace tarvex {

struct PredictionRecordRead {
    std::vector<PredictionEntry> entries; // in the order written
    QStringList notes;                    // lines skipped, each said once
    QString error;                        // the file itself could not be read
    bool ok() const { return error.isEmpty(); }
    // The entries' predictions, valid while the entries are.
    PredictionRefs Predictions() const;
};

// 预测记录.jsonl: every kill run kept as a prediction for the coming draw, one JSON object a
// line (PredictionLine), only ever appended.
class PredictionRecord {
public:
    static constexpr const char* kFileName = "预测记录.jsonl";
    // Far beyond a lifetime of daily entries; a larger file is refused before it is read.
    static constexpr qint64 kMaxBytes = qint64{1} << 30;

    static QString FileName() { return QString::fromUtf8(kFileName); }

    // The entry a kill run makes: for `lottery`'s draw `issue`, with `held` the newest 期号
    // the player's history holds (empty when none was given).
    static PredictionEntry Make(const QDateTime& time, const std::string& lottery,
                                const std::string& issue, const std::string& held,
                                const Settings& settings, const std::vector<int>& survivors);
    // After a tolerance run at `level` (1–17): the list it left (list box 1004).
    static void AddTolerance(PredictionEntry& entry, int level,
                             const std::vector<std::string>& list);
    // "2026-12-09T21:30:00+08:00": the time with its offset from UTC.
    static std::string TimeText(const QDateTime& time);

    // Appends the entry in one write and flushes it; a file that does not end in a line end
    // (a write cut short) gets one first, so the torn line costs only itself. Returns an
    // empty text, or the message naming file and reason. Only a regular file is written:
    // a folder, pipe, device or symbolic link in its place is refused.
    static QString Append(const QString& path, const PredictionEntry& entry);

    // A missing file is an empty record.
    static PredictionRecordRead Load(const QString& path);
    static PredictionRecordRead Parse(QByteArrayView bytes);
};

} // namespace tarvex
