#include "engine/KillRun.h"

#include "engine/CompiledConditions.h"
#include "engine/RunText.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tarvex {

namespace {

int Checked(const auto& boxes) {
    return static_cast<int>(std::count(boxes.begin(), boxes.end(), true));
}

} // namespace

// The first failing check names the message; the run then changes nothing.
std::string KillRunMessage(const Settings& s) {
    const int dan = Checked(s.dan);
    if (s.danCount == 2 && dan < 2) {
        return "你选择了出2胆，胆的数目不能小于2个";
    }
    if (s.danCount == 3 && dan < 3) {
        return "你选择了出3胆，胆的数目不能小于3个";
    }
    if (Checked(s.bigSmall) == 0) {
        return "所有的大小均被排除，结果将为空，请重新选择";
    }
    if (Checked(s.oddEven) == 0) {
        return "所有的奇偶均被排除，结果将为空，请重新选择";
    }
    if (Checked(s.shape) == 3) {
        return "豹子，组三，组六都被排除，结果将为空，请重新选择";
    }
    if (Checked(s.consecutive) == 3) {
        return "顺子，二连，不连码都被排除，结果将为空，请重新选择";
    }
    if (Checked(s.route) == 27) {
        return "所有的012路均被排除，结果将为空，请重新选择";
    }
    return {};
}

namespace {

constexpr std::array<Condition, 1> kStage1{Condition::Dan};
constexpr std::array<Condition, 7> kStage2{
    Condition::PositionalKill2, Condition::Kill2,   Condition::MustHave2, Condition::Direct,
    Condition::SumRange,        Condition::SumTail, Condition::Span};
constexpr std::array<Condition, 2> kStage3{Condition::ExcludeCompound, Condition::PositionalKill};
constexpr std::array<Condition, 16> kStage4{
    Condition::BigSmall,     Condition::OddEven,     Condition::PrimeComposite,
    Condition::Shape,        Condition::Consecutive, Condition::Route,
    Condition::RouteGroup,   Condition::Ac,          Condition::Dan2,
    Condition::Dan3,         Condition::KillSums,    Condition::Match,
    Condition::PositionSize, Condition::Formula,     Condition::Junk,
    Condition::Intersection};

// Passes the list through one stage: survivors stay in order, the others are
// appended to killed in order.
template <std::size_t N>
void RunStage(const CompiledConditions& conditions, const std::array<Condition, N>& stage,
              std::vector<int>& list, std::vector<int>& killed) {
    std::vector<int> next;
    next.reserve(list.size());
    for (const int n : list) {
        const bool dies = std::any_of(stage.begin(), stage.end(),
                                      [&](Condition c) { return conditions.Rejects(c, n); });
        (dies ? killed : next).push_back(n);
    }
    list.swap(next);
}

} // namespace

std::vector<int> KillSurvivors(const CompiledConditions& conditions, std::vector<int>* killed) {
    std::vector<int> list;
    for (int n = 0; n < 1000; ++n) {
        if (conditions.Candidates().test(n)) {
            list.push_back(n);
        }
    }
    std::vector<int> dropped;
    std::vector<int>& into = killed != nullptr ? *killed : dropped;
    RunStage(conditions, kStage1, list, into);
    RunStage(conditions, kStage2, list, into);
    RunStage(conditions, kStage3, list, into);
    RunStage(conditions, kStage4, list, into);
    return list;
}

KillPreview PreviewKill(const Settings& settings) {
    KillPreview preview;
    preview.message = KillRunMessage(settings);
    if (preview.completed()) {
        preview.count =
            static_cast<int>(KillSurvivors(CompiledConditions(settings), nullptr).size());
    }
    return preview;
}

KillOutcome RunKill(const Settings& settings) {
    KillOutcome outcome;
    outcome.message = KillRunMessage(settings);
    if (!outcome.completed()) {
        return outcome;
    }
    const std::vector<int> list = KillSurvivors(CompiledConditions(settings), &outcome.killed);
    const int perLine = NumbersPerLine(settings.perRow);
    outcome.survivors = list;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string text = CandidateText(list[i]);
        const std::size_t count = i + 1;
        outcome.resultText += text + '\t';
        outcome.fileText += text + '\t';
        if (count % static_cast<std::size_t>(perLine) == 0) {
            outcome.fileText += '\n';
        }
        if (count % 5 == 0) {
            outcome.resultText += '\n';
        }
    }
    outcome.countText = CountText(static_cast<int>(list.size()));
    return outcome;
}

} // namespace tarvex
