#include "history/PredictionCheck.h"

#include "history/IssueNumber.h"

#include <algorithm>
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
// date nor a wrong clock can let a known draw pass as a prediction. Without the draw the
// second test alone already tells.
bool PredictionCheck::Late(const Prediction& prediction, const HistoricDraw* draw) {
    if (const std::optional<long long> drawn =
            draw != nullptr ? DrawTimeUtc(draw->date) : std::nullopt) {
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
    const HistoricDraw* draw =
        lottery == lotteries_.end() ? nullptr : Find(lottery->second, prediction.issue);
    outcome.late = Late(prediction, draw);
    if (draw == nullptr || draw->number < 0 || draw->number > 999) {
        return outcome;
    }
    outcome.checked = true;
    outcome.winning = draw->number;
    outcome.hit = prediction.survivors.test(static_cast<std::size_t>(draw->number));
    outcome.toleranceHit = prediction.toleranceLevel > 0 &&
                           prediction.tolerance.test(static_cast<std::size_t>(draw->number));
    return outcome;
}

bool PredictionCheck::Dated(const Prediction& prediction) const {
    const auto lottery = lotteries_.find(prediction.lottery);
    const HistoricDraw* draw =
        lottery == lotteries_.end() ? nullptr : Find(lottery->second, prediction.issue);
    return draw != nullptr && DrawTimeUtc(draw->date).has_value();
}

std::vector<PredictionOutcome> PredictionCheck::CheckAll(const PredictionRefs& predictions) const {
    std::vector<PredictionOutcome> outcomes;
    outcomes.reserve(predictions.size());
    for (const Prediction* p : predictions) {
        outcomes.push_back(Check(*p));
    }
    MarkKnownToTheRecord(predictions, outcomes);
    return outcomes;
}

// With no date for the target, the record itself tells what was known when an entry was
// written: the newest draw any entry of that lottery written no later held. A target at or
// before it was already drawn, whatever this entry's own `held` says (an `--issue` given by
// hand, a run without a history).
void PredictionCheck::MarkKnownToTheRecord(const PredictionRefs& predictions,
                                           std::vector<PredictionOutcome>& outcomes) const {
    std::vector<std::size_t> order(predictions.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return predictions[a]->writtenUtc < predictions[b]->writtenUtc;
    });
    std::map<std::string, long long> newestHeld;
    for (std::size_t from = 0; from < order.size();) {
        // Entries written in the same second know what each other knew.
        std::size_t to = from;
        while (to < order.size() &&
               predictions[order[to]]->writtenUtc == predictions[order[from]]->writtenUtc) {
            const Prediction& p = *predictions[order[to]];
            if (const std::optional<long long> held = IssueKey(p.held)) {
                long long& newest = newestHeld.try_emplace(p.lottery, *held).first->second;
                newest = std::max(newest, *held);
            }
            ++to;
        }
        for (; from < to; ++from) {
            const Prediction& p = *predictions[order[from]];
            PredictionOutcome& outcome = outcomes[order[from]];
            const auto newest = newestHeld.find(p.lottery);
            const std::optional<long long> target = IssueKey(p.issue);
            if (!outcome.late && target && newest != newestHeld.end() &&
                *target <= newest->second && !Dated(p)) {
                outcome.late = true;
            }
        }
    }
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
