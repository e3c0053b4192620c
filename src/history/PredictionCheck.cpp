#include "history/PredictionCheck.h"

#include "history/IssueNumber.h"

#include <chrono>

namespace tarvex {

namespace {

constexpr long long kDrawSecondsUtc = (21 - 8) * 3600 + 15 * 60; // 21:15 at UTC+8

bool ReadNumber(const std::string& text, std::size_t at, std::size_t length, int& into) {
    into = 0;
    for (std::size_t i = at; i < at + length; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        into = into * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

PredictionCheck::PredictionCheck(
    const std::map<std::string, std::vector<HistoricDraw>>& histories) {
    for (const auto& [name, draws] : histories) {
        Lottery& lottery = lotteries_[name];
        lottery.draws = draws;
        lottery.byKey.reserve(draws.size());
        for (std::size_t i = 0; i < draws.size(); ++i) {
            if (const std::optional<long long> key = IssueKey(draws[i].issue)) {
                lottery.byKey.emplace(*key, i);
            } else {
                lottery.byText.emplace(draws[i].issue, i);
            }
        }
    }
}

std::optional<long long> PredictionCheck::IssueKey(const std::string& issue) {
    const std::optional<IssueNumber::Parts> parts = IssueNumber::Split(issue);
    if (!parts) {
        return std::nullopt;
    }
    return static_cast<long long>(parts->year) * 1000 + parts->index;
}

std::optional<long long> PredictionCheck::DrawTimeUtc(const std::string& date) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !ReadNumber(date, 0, 4, year) ||
        !ReadNumber(date, 5, 2, month) || !ReadNumber(date, 8, 2, day)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day ymd{std::chrono::year{year},
                                          std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    const auto days = std::chrono::sys_days{ymd}.time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(days).count() + kDrawSecondsUtc;
}

const HistoricDraw* PredictionCheck::Find(const Lottery& lottery, const std::string& issue) const {
    if (const std::optional<long long> key = IssueKey(issue)) {
        const auto at = lottery.byKey.find(*key);
        return at == lottery.byKey.end() ? nullptr : &lottery.draws[at->second];
    }
    const auto at = lottery.byText.find(issue);
    return at == lottery.byText.end() ? nullptr : &lottery.draws[at->second];
}

// Written after the draw, or with the draw already in the player's history: either way the
// number was known, so the entry proves nothing. Both tests apply, so neither a missing
// date nor a wrong clock can let a known draw pass as a prediction.
bool PredictionCheck::Late(const Prediction& prediction, const HistoricDraw& draw) {
    if (const std::optional<long long> drawn = DrawTimeUtc(draw.date)) {
        if (prediction.writtenUtc >= *drawn) {
            return true;
        }
    }
    if (prediction.held.empty()) {
        return false;
    }
    const std::optional<long long> held = IssueKey(prediction.held);
    const std::optional<long long> target = IssueKey(prediction.issue);
    if (held && target) {
        return *held >= *target;
    }
    return IssueNumber::Same(prediction.held, prediction.issue);
}

PredictionOutcome PredictionCheck::Check(const Prediction& prediction) const {
    PredictionOutcome outcome;
    const auto lottery = lotteries_.find(prediction.lottery);
    if (lottery == lotteries_.end()) {
        return outcome;
    }
    const HistoricDraw* draw = Find(lottery->second, prediction.issue);
    if (draw == nullptr || draw->number < 0 || draw->number > 999) {
        return outcome;
    }
    outcome.checked = true;
    outcome.winning = draw->number;
    outcome.hit = prediction.survivors.test(static_cast<std::size_t>(draw->number));
    outcome.toleranceHit = prediction.toleranceLevel > 0 &&
                           prediction.tolerance.test(static_cast<std::size_t>(draw->number));
    outcome.late = Late(prediction, *draw);
    return outcome;
}

std::vector<PredictionOutcome> PredictionCheck::CheckAll(const PredictionRefs& predictions) const {
    std::vector<PredictionOutcome> outcomes;
    outcomes.reserve(predictions.size());
    for (const Prediction* p : predictions) {
        outcomes.push_back(Check(*p));
    }
    return outcomes;
}

PredictionRefs RefsOf(const std::vector<Prediction>& predictions) {
    PredictionRefs refs;
    refs.reserve(predictions.size());
    for (const Prediction& p : predictions) {
        refs.push_back(&p);
    }
    return refs;
}

} // namespace tarvex
