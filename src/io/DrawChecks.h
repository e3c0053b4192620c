#pragma once

#include "engine/HistoricDraw.h"
#include "io/PlayerHistory.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <string>

namespace tarvex {

// The rules a draw must keep to go into the player's history, the same for a draw typed in
// the entry window, given to `history add` or sent by a source. A refusal is a sentence
// saying why; empty when the draw may go in.
class DrawChecks {
public:
    // 3D began in 2002, 排列3 in 2004: no 期号 or date of either lies before.
    static constexpr int kFirstYear = 2002;
    // At most one draw a day.
    static constexpr int kMostDraws = 366;

    // Today where the draws are held (Beijing, UTC+8), whatever the computer's zone.
    static QDate BeijingToday();

    // 5 (YYNNN) or 7 (YYYYNNN) digits, a year from 2002 to this one, a draw number from 1
    // within the days of its year.
    static QString IssueProblem(const std::string& issue, const QDate& today);
    // YYYY-MM-DD, a real day, not after today.
    static QString DateProblem(const std::string& date, const QDate& today);
    // The 期号's year is the date's, and its number no higher than the day of the year.
    static QString FitProblem(const std::string& issue, const std::string& date);
    static QString NumberProblem(const QString& number);
    static QString TrialProblem(const QString& trial);
    // The first of the above for a typed draw (date and 试机号 may be empty).
    static QString Refusal(const QString& issue, const QString& number, const QString& date,
                           const QString& trial, const QDate& today);
    // A draw from a source: only with a date, and all of the above.
    static QString SourceRefusal(const HistoricDraw& draw, const QDate& today);
    // What the player should look at before adding a typed draw to `file` (it goes in all the
    // same): no date, a date out of order with the draws around it, draws skipped.
    static QStringList Warnings(const PlayerHistoryFile& file, const HistoricDraw& draw);
};

} // namespace tarvex
