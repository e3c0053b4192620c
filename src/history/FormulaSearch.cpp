#include "history/FormulaSearch.h"

#include "history/FormulaScan.h"
#include "history/PoissonBinomial.h"
#include "history/RuleFormula.h"
#include "history/RuleJudge.h"
#include "history/RuleTargets.h"

#include <algorithm>
#include <map>
#include <random>

namespace tarvex {

namespace {

struct Prepared {
    std::vector<int> numbers;
    std::vector<RuleInputs> inputs;
};

Prepared Prepare(const std::vector<HistoricDraw>& draws) {
    Prepared prepared;
    prepared.numbers.reserve(draws.size());
    prepared.inputs.reserve(draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        prepared.numbers.push_back(draws[i].number);
        prepared.inputs.push_back(RuleInputs::For(i >= 1 ? &draws[i - 1] : nullptr,
                                                  i >= 2 ? &draws[i - 2] : nullptr,
                                                  RuleInputs::IssueDigit(draws[i].issue)));
    }
    return prepared;
}

// A uniform integer in [0, bound) from the 64-bit generator, by rejection, so the shuffle
// does not depend on how a standard library implements its distributions.
std::uint64_t Below(std::mt19937_64& random, std::uint64_t bound) {
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % bound);
    std::uint64_t x = 0;
    do {
        x = random();
    } while (x >= limit);
    return x % bound;
}

FormulaSegment Segment(const std::vector<HistoricDraw>& draws, std::size_t begin, std::size_t end) {
    FormulaSegment segment;
    if (begin < end) {
        segment.first = draws[begin].issue;
        segment.last = draws[end - 1].issue;
        segment.draws = static_cast<int>(end - begin);
    }
    return segment;
}

double Margin(const FormulaTally& tally) {
    RuleJudgement judgement;
    judgement.tested = tally.tested;
    judgement.right = tally.right;
    judgement.chanceCount = tally.chanceCount;
    return judgement.Margin();
}

// The exact chance of doing at least as well on the check segment, each draw right with
// the chance of the value the formula gives it there.
double CheckP(const RuleFormula& formula, const RuleJudgement& check, RuleTarget target,
              const Prepared& prepared, std::size_t checkBegin) {
    const std::array<int, 10>& counts = RuleTargets::RightCounts(target);
    std::vector<double> chances;
    const std::size_t first = std::max(checkBegin, static_cast<std::size_t>(formula.Needs()));
    for (std::size_t i = first; i < prepared.inputs.size(); ++i) {
        const auto value = static_cast<std::size_t>(formula.Evaluate(prepared.inputs[i]));
        chances.push_back(counts[value] / 1000.0);
    }
    return PoissonBinomial::UpperTail(chances, check.right);
}

// What a formula says on every draw of the window from `begin` on, where it has a value:
// two formulas with the same sequence are one rule.
std::string Values(const RuleFormula& formula, const Prepared& prepared, std::size_t begin) {
    const std::size_t first = std::max(begin, static_cast<std::size_t>(formula.Needs()));
    std::string values(1, static_cast<char>(formula.Needs()));
    values.reserve(prepared.inputs.size() - std::min(first, prepared.inputs.size()) + 1);
    for (std::size_t i = first; i < prepared.inputs.size(); ++i) {
        values += static_cast<char>('0' + formula.Evaluate(prepared.inputs[i]));
    }
    return values;
}

std::string Check(const FormulaSearchOptions& options, std::size_t window, std::size_t check) {
    if (options.terms < 1 || options.terms > 3) {
        return "项数只能是 1、2 或 3";
    }
    if (options.top < 1 || options.top > FormulaSearch::kMaxTop) {
        return "K 应在 1 到 " + std::to_string(FormulaSearch::kMaxTop) + " 之间";
    }
    if (window < 2) {
        return "窗口里至少要有 2 期开奖号码";
    }
    if (check >= window) {
        return "检验段的期数（" + std::to_string(check) + "）必须小于窗口的期数（" +
               std::to_string(window) + "）";
    }
    return {};
}

} // namespace

std::size_t FormulaSearch::DefaultCheck(std::size_t window) {
    return std::max<std::size_t>(1, window * 3 / 10);
}

std::vector<HistoricDraw> FormulaSearch::Shuffled(std::vector<HistoricDraw> draws,
                                                  std::size_t begin, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    for (std::size_t i = draws.size(); i > begin + 1; --i) { // Fisher–Yates over [begin, size)
        const auto j = begin + static_cast<std::size_t>(Below(random, i - begin));
        std::swap(draws[i - 1].number, draws[j].number);
    }
    return draws;
}

FormulaSearchResult FormulaSearch::Run(const std::vector<HistoricDraw>& history,
                                       const FormulaSearchOptions& options,
                                       const ProgressFn& progress) {
    std::vector<HistoricDraw> draws;
    draws.reserve(history.size());
    std::copy_if(history.begin(), history.end(), std::back_inserter(draws),
                 [](const HistoricDraw& d) { return d.number >= 0 && d.number <= 999; });
    const std::size_t size = draws.size();
    const std::size_t windowBegin =
        options.last == 0 || options.last >= size ? 0 : size - options.last;
    const std::size_t window = size - windowBegin;
    const std::size_t checkSize = options.check != 0 ? options.check : DefaultCheck(window);

    FormulaSearchResult result;
    result.error = Check(options, window, checkSize);
    if (!result.error.empty()) {
        return result;
    }
    const std::size_t checkBegin = size - checkSize;
    result.draws = static_cast<int>(window);
    result.tried = FormulaScan::Tried(options.terms);
    result.train = Segment(draws, windowBegin, checkBegin);
    result.check = Segment(draws, checkBegin, size);

    const std::size_t sets = FormulaScan::VariableSets(options.terms);
    const std::size_t total = sets * (options.shuffled ? 2 : 1);
    std::size_t done = 0;
    const auto step = [&] { return !progress || progress(++done, total); };
    // Equivalent formulas tie in every figure and so stand next to each other in the ranking;
    // room for several per distinct one keeps K distinct formulas to take.
    const std::size_t room = std::min<std::size_t>(options.top * kRoomPerFormula,
                                                   static_cast<std::size_t>(result.tried));
    FormulaScanSetup setup{options.target, options.terms, room, windowBegin, checkBegin};

    const Prepared prepared = Prepare(draws);
    FormulaScan scan(prepared.numbers, prepared.inputs, setup);
    if (!scan.Run(step)) {
        result.cancelled = true;
        return result;
    }
    if (options.shuffled) {
        const Prepared shuffled = Prepare(Shuffled(draws, windowBegin, options.seed));
        setup.top = 1;
        FormulaScan baseline(shuffled.numbers, shuffled.inputs, setup);
        if (!baseline.Run(step)) {
            result.cancelled = true;
            return result;
        }
        result.shuffledBestMargin = Margin(baseline.Best().front().train);
    }

    const RuleJudge judge(draws, window);
    const std::size_t trainDraws = checkBegin - windowBegin;
    std::map<std::string, std::size_t> distinct; // value sequence → its row
    for (const ScannedFormula& scanned : scan.Best()) {
        const std::optional<RuleFormula> formula = RuleFormula::Parse(scanned.text, nullptr);
        if (!formula) {
            continue; // cannot happen: the text is built from the parser's own names
        }
        const auto [at, first] =
            distinct.try_emplace(Values(*formula, prepared, windowBegin), result.formulas.size());
        if (!first) {
            result.formulas[at->second].equivalents.push_back(scanned.text);
            continue;
        }
        if (result.formulas.size() == options.top) {
            distinct.erase(at); // beyond K: neither ranked nor named
            continue;
        }
        const Rule rule{options.target, scanned.text};
        FoundFormula found;
        found.formula = scanned.text;
        found.train = judge.Judge(rule, *formula, 0, trainDraws);
        found.check = judge.Judge(rule, *formula, trainDraws, window);
        found.train.next =
            kNoRuleValue; // the draw after the training segment is judged, not coming
        found.p = CheckP(*formula, found.check, options.target, prepared, checkBegin);
        result.formulas.push_back(std::move(found));
    }
    // K counts distinct formulas: an equivalent is no second chance of luck.
    const auto taken = static_cast<double>(result.formulas.size());
    for (FoundFormula& found : result.formulas) {
        found.pAdjusted = std::min(1.0, taken * found.p);
    }
    return result;
}

} // namespace tarvex
