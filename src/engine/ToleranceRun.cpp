#include "engine/ToleranceRun.h"

#include "engine/CompiledConditions.h"
#include "engine/RunText.h"
#include "engine/TextWindows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>
#include <string_view>

namespace tarvex {

namespace {

struct Row {
    Condition condition;
    const char* label;
};

// Table order of the report. 胆 is counted with the match-filter exception, and the
// specified sums count twice.
constexpr std::array<Row, 27> kRows{{
    {Condition::Dan, " 胆 "},
    {Condition::PositionalKill2, " 定位杀2码 "},
    {Condition::Kill2, " 不定位杀2码 "},
    {Condition::MustHave2, " 必出2码 "},
    {Condition::Direct, " 杀直选号码 "},
    {Condition::SumRange, " 和值范围 "},
    {Condition::SumTail, " 和尾 "},
    {Condition::Span, " 跨度 "},
    {Condition::PositionalKill, " 定位杀 "},
    {Condition::ExcludeCompound, " 复式排除 "},
    {Condition::KillSums, " 杀指定和值 "},
    {Condition::BigSmall, " 大小过滤 "},
    {Condition::OddEven, " 奇偶过滤 "},
    {Condition::PrimeComposite, " 质合过滤 "},
    {Condition::Shape, " 结构过滤 "},
    {Condition::Consecutive, " 连号过滤 "},
    {Condition::Route, " 012过滤 "},
    {Condition::RouteGroup, " 012过滤组 "},
    {Condition::Dan2, " 2胆过滤 "},
    {Condition::Dan3, " 3胆过滤 "},
    {Condition::KillSums, " 和值过滤 "},
    {Condition::Match, " 匹配过滤 "},
    {Condition::PositionSize, " 位置大小 "},
    {Condition::Junk, " 垃圾复试"},
    {Condition::Intersection, " 交集过滤"},
    {Condition::Formula, " 公式过滤"},
    {Condition::Ac, " AC值过滤"},
}};

ReportLine Examine(const CompiledConditions& conditions, int number) {
    const std::uint32_t reasons = ToleranceReasons(conditions, number);
    return {CandidateText(number), ToleranceReasonLabels(reasons), std::popcount(reasons)};
}

// A sorted list box puts each new item before the first item greater than it. On a
// sorted list that is a merge; an unsorted one (not made by the runs) is walked item by item.
// The window and the CLI always pass a sorted list, but the engine takes any list, and the
// differential test hands it unsorted ones, so both ways stay.
void AddToListBox(std::vector<std::string>& list, std::vector<std::string> added) {
    if (std::is_sorted(list.begin(), list.end())) {
        std::sort(added.begin(), added.end());
        std::vector<std::string> merged;
        merged.reserve(list.size() + added.size());
        std::merge(std::make_move_iterator(list.begin()), std::make_move_iterator(list.end()),
                   std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
                   std::back_inserter(merged));
        list.swap(merged);
        return;
    }
    for (std::string& item : added) {
        const auto at = std::find_if(list.begin(), list.end(),
                                     [&](const std::string& existing) { return item < existing; });
        list.insert(at, std::move(item));
    }
}

std::string ReportText(const std::vector<ReportLine>& report) {
    std::string text;
    for (const ReportLine& line : report) {
        text += line.number;
        for (const std::string& label : line.labels) {
            text += label;
        }
        text += " 排除原因数 " + std::to_string(line.count) + "\n";
    }
    return text;
}

} // namespace

std::uint32_t ToleranceReasons(const CompiledConditions& conditions, int number) {
    std::uint32_t reasons = 0;
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        const Condition condition = kRows[r].condition;
        const bool rejects = condition == Condition::Dan ? conditions.DanRejectsTolerantly(number)
                                                         : conditions.Rejects(condition, number);
        reasons |= static_cast<std::uint32_t>(rejects) << r;
    }
    return reasons;
}

std::vector<std::string> ToleranceReasonLabels(std::uint32_t reasons) {
    std::vector<std::string> labels;
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        if ((reasons >> r & 1) != 0) {
            labels.emplace_back(kRows[r].label);
        }
    }
    return labels;
}

const std::vector<std::string>& ToleranceLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> all;
        for (const Row& row : kRows) {
            all.emplace_back(row.label);
        }
        return all;
    }();
    return labels;
}

ToleranceOutcome RunTolerance(const Settings& settings, const ToleranceInput& input) {
    const CompiledConditions conditions(settings);
    ToleranceOutcome outcome;
    outcome.list = input.list;
    outcome.resultText = input.resultText;
    TextWindows shown(outcome.resultText);
    std::vector<std::string> added;
    const std::size_t baseCount = input.list.size();
    const long long tolerated = static_cast<long long>(settings.level) + 1;
    for (const int number : input.killed) {
        if (number < 0 || number > 999) {
            continue;
        }
        ReportLine line = Examine(conditions, number);
        if (line.count <= tolerated && !shown.Contains(number)) {
            added.push_back(line.number);
            outcome.readmitted.push_back(number);
            std::string appended = line.number + '\t';
            if ((baseCount + outcome.readmitted.size()) % 5 == 0) {
                appended += '\n';
            }
            outcome.resultText += appended;
            shown.Append(appended);
        }
        outcome.report.push_back(std::move(line));
    }
    AddToListBox(outcome.list, std::move(added));
    outcome.countText = CountText(static_cast<int>(outcome.list.size()));
    outcome.toleranceText = "容错" + std::to_string(outcome.readmitted.size()) + "注";
    outcome.reportText = ReportText(outcome.report);
    return outcome;
}

std::array<int, 17> TolerancePreview(const Settings& settings, const std::vector<int>& killed) {
    return TolerancePreviewFor(settings, ToleranceInput{killed, {}, ""});
}

std::array<int, 17> TolerancePreviewFor(const Settings& settings, const ToleranceInput& input) {
    const CompiledConditions conditions(settings);
    const TextWindows shown(input.resultText);
    std::array<int, 17> readmitted{};
    for (const int number : input.killed) {
        if (number < 0 || number > 999 || shown.Contains(number)) {
            continue;
        }
        for (int level = std::max(Examine(conditions, number).count, 1); level <= 17; ++level) {
            ++readmitted[static_cast<std::size_t>(level - 1)];
        }
    }
    return readmitted;
}

} // namespace tarvex
