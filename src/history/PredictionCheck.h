#pragma once

#include "engine/HistoricDraw.h"
#include "history/Prediction.h"

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvex {

// Checks predictions against the draw histories of their lotteries.
class PredictionCheck {
public:
    // The history of each lottery by its name ("3D", "排列3"); a prediction for a lottery
    // without one stays unchecked.
    explicit PredictionCheck(const std::map<std::string, std::vector<HistoricDraw>>& histories);

    // One entry on its own: 事后 by its own time and `held` (also before the draw is known).
    PredictionOutcome Check(const Prediction& prediction) const;
    // Every entry of a record: also 事后 when, with no date for the target, an entry of the
    // same lottery written no later already held the target.
    std::vector<PredictionOutcome> CheckAll(const PredictionRefs& predictions) const;
    std::vector<PredictionOutcome> CheckAll(const std::vector<Prediction>& predictions) const {
        return CheckAll(RefsOf(predictions));
    }

    // 3D and 排列3 are drawn at 21:15 Beijing time (UTC+8) on the draw's date: that moment in
    // seconds since 1970 UTC, or nothing for a date that is not "YYYY-MM-DD".
    static std::optional<long long> DrawTimeUtc(const std::string& date);
    // A 期号 as one number comparable within a lottery (year × 1000 + number in the year),
    // 排列3's five and seven digit forms alike; nothing for another form.
    static std::optional<long long> IssueKey(const std::string& issue);

private:
    struct Lottery {
        std::vector<HistoricDraw> draws; // a copy: the checker may outlive the map it was given
        std::unordered_map<long long, std::size_t> byKey;
        std::unordered_map<std::string, std::size_t> byText; // 期号 of other forms
    };
    const HistoricDraw* Find(const Lottery& lottery, const std::string& issue) const;
    static bool Late(const Prediction& prediction, const HistoricDraw* draw);
    bool Dated(const Prediction& prediction) const; // the history gives the target's date
    void MarkKnownToTheRecord(const PredictionRefs& predictions,
                              std::vector<PredictionOutcome>& outcomes) const;

    std::map<std::string, Lottery> lotteries_;
};

} // namespace tarvex
