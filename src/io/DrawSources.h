#pragma once

#include "io/DrawSourceReader.h"
#include "io/PlayerHistory.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tarvex {

// A place to ask for draws: its address, the form it answers in, and how long it may take.
struct DrawSource {
    QString url;
    SourceFormat format = SourceFormat::Auto;
    QByteArray referer; // sent when not empty (the cwl API wants its own site named)
    int timeoutMs = 10000;
    // The lottery it serves, from a tag (",3d", ",pl3") or its address; none when neither says.
    std::optional<Lottery> lottery;
    // A stored source of no known lottery: its answer must hold a draw the file holds, alike,
    // before anything is taken from it (a 3D source is never read into the 排列3 file).
    bool mustMatch = false;
};

// The sources an update asks: the built-in ones and the player's own from the settings.
class DrawSources {
public:
    static constexpr int kTimeoutMs = 10000;
    static constexpr int kArchiveTimeoutMs = 30000; // the 17500 archive is about 0.5 MB

    // The public sources, in the order they are asked; the JSON ones for the latest `count`.
    static std::vector<DrawSource> Defaults(Lottery lottery, int count);
    // The player's own, kept in the settings as "URL[,FORMAT]" lines.
    static std::vector<DrawSource> Stored();
    static void Store(const QStringList& lines);
    static QStringList StoredLines();
    // "URL", "URL,FORMAT", "URL,LOTTERY" or "URL,FORMAT,LOTTERY" (LOTTERY 3d or pl3; 福彩3D,
    // 排列3 too); nothing (and the reason) for an address that is not http(s) or an unknown
    // form.
    static std::optional<DrawSource> Parse(const QString& line, QString& error);
    // How many draws to ask the JSON sources for, from the days since the newest held.
    static int CountFor(std::optional<int> daysSince);
    // "3D", "排列3".
    static QString LotteryName(Lottery lottery);
};

} // namespace tarvex
