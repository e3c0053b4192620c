#include "engine/Backtest.h"

#include "engine/BacktestTally.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"

#include <algorithm>
#include <array>

namespace tarvex {

namespace {

using Membership = std::array<bool, 1000>;

Membership Members(const std::vector<int>& numbers) {
    Membership in{};
    for (const int n : numbers) {
        if (n >= 0 && n < 1000) {
            in[static_cast<std::size_t>(n)] = true;
        }
    }
    return in;
}

Membership ListMembers(const std::vector<std::string>& list) {
    std::vector<int> numbers;
    for (const std::string& item : list) {
        if (const std::optional<int> n = CandidateNumber(item)) {
            numbers.push_back(*n);
        }
    }
    return Members(numbers);
}

std::vector<std::string> ListOf(const std::vector<int>& survivors) {
    std::vector<std::string> list;
    list.reserve(survivors.size());
    for (const int n : survivors) {
        list.push_back(CandidateText(n));
    }
    return list;
}

// The reasons come from the tolerance run itself, examining each winner as if the kill run
// had killed it, so the condition definitions live in one place.
std::vector<ReportLine> Reasons(const Settings& settings, const std::vector<HistoricDraw>& draws) {
    ToleranceInput input;
    for (const HistoricDraw& draw : draws) {
        input.killed.push_back(draw.number);
    }
    return RunTolerance(settings, input).report;
}

} // namespace

BacktestResult RunBacktest(const Settings& scheme, int level,
                           const std::vector<HistoricDraw>& history, std::size_t last,
                           const ProgressFn& progress) {
    constexpr std::size_t kSteps = 4;
    const auto step = [&](std::size_t done) { return !progress || progress(done, kSteps); };
    Settings settings = scheme;
    settings.level = std::clamp(level, 1, 17) - 1;
    BacktestResult result;
    for (const std::string& label : ToleranceLabels()) {
        result.conditions.push_back({label, 0, 0});
    }
    result.spans = BacktestTally(0).Spans();
    const KillOutcome kill = RunKill(settings);
    if (!kill.completed()) {
        result.message = kill.message;
        return result;
    }
    const ToleranceOutcome tolerance =
        RunTolerance(settings, {kill.killed, ListOf(kill.survivors), kill.resultText});
    result.survivorCount = static_cast<int>(kill.survivors.size());
    result.toleranceCount = static_cast<int>(tolerance.list.size());
    const Membership survivors = Members(kill.survivors);
    const Membership tolerated = ListMembers(tolerance.list);

    std::vector<HistoricDraw> tested;
    const std::size_t take = last == 0 ? history.size() : std::min(last, history.size());
    std::copy_if(history.end() - static_cast<std::ptrdiff_t>(take), history.end(),
                 std::back_inserter(tested),
                 [](const HistoricDraw& d) { return d.number >= 0 && d.number <= 999; });
    if (!step(1)) {
        result.cancelled = true;
        return result;
    }
    const std::vector<ReportLine> reasons = Reasons(settings, tested);
    if (!step(2)) {
        result.cancelled = true;
        return result;
    }
    // The scheme is the same for every draw, and so is what chance alone rejects.
    const RowRejects rejects = BacktestTally::RejectsOf(settings);
    BacktestTally tally(tested.size());
    for (std::size_t i = 0; i < tested.size(); ++i) {
        const auto at = static_cast<std::size_t>(tested[i].number);
        BacktestDraw draw{tested[i].issue, tested[i].number,  survivors[at],
                          tolerated[at],   reasons[i].labels, result.survivorCount};
        tally.Add(draw, result.toleranceCount, rejects);
        result.draws.push_back(std::move(draw));
    }
    result.spans = tally.Spans();
    result.conditions = result.spans.back().conditions;
    // A cancel pressed while the last step ran still counts.
    result.cancelled = !step(kSteps);
    return result;
}

} // namespace tarvex
