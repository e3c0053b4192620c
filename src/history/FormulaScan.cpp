#include "history/FormulaScan.h"

#include "history/RuleFormula.h"
#include "history/RuleTargets.h"
#include "predicates/Digits.h"

#include <algorithm>
#include <bit>

namespace tarvex {

namespace {

// The tallies kept per set of variables: training hits, training values, check hits,
// check values. A "hit" is a draw whose formula value equals one of the draw's events.
constexpr int kBatches = 4;
constexpr int kCoefficients = 9; // 1..9

constexpr std::array<std::array<std::uint8_t, 10>, 10> kAdd = [] {
    std::array<std::array<std::uint8_t, 10>, 10> add{};
    for (int r = 0; r < 10; ++r) {
        for (int s = 0; s < 10; ++s) {
            add[static_cast<std::size_t>(r)][static_cast<std::size_t>(s)] =
                static_cast<std::uint8_t>((r + s) % 10);
        }
    }
    return add;
}();

std::size_t Power10(int n) {
    std::size_t p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

// Kill targets are wrong exactly when the value is one of the draw's events; 胆 is right
// exactly then. Each draw holds a value at most once, so hits never count a draw twice.
bool Kills(RuleTarget target) {
    return target != RuleTarget::Dan;
}

std::uint16_t EventsOf(RuleTarget target, int number) {
    const Digits d(number);
    const auto bit = [](int v) { return static_cast<std::uint16_t>(1U << v); };
    switch (target) {
    case RuleTarget::SumTail:
        return bit(d.Sum() % 10);
    case RuleTarget::Span:
        return bit(d.Span());
    case RuleTarget::Hundreds:
        return bit(d.h);
    case RuleTarget::Tens:
        return bit(d.t);
    case RuleTarget::Units:
        return bit(d.u);
    case RuleTarget::AllPositions:
    case RuleTarget::Dan:
        return static_cast<std::uint16_t>(bit(d.h) | bit(d.t) | bit(d.u));
    }
    return 0;
}

// a/b against c/d with positive denominators, exactly.
int CompareMargins(const FormulaTally& a, const FormulaTally& b) {
    const long long na = 1000LL * a.right - a.chanceCount;
    const long long nb = 1000LL * b.right - b.chanceCount;
    const long long da = std::max(a.tested, 1);
    const long long db = std::max(b.tested, 1);
    const long long left = na * db;
    const long long right = nb * da;
    return left < right ? -1 : left > right ? 1 : 0;
}

// Better by the figures alone: 1, worse: -1, a tie the text decides: 0.
int CompareFigures(const ScannedFormula& a, const ScannedFormula& b) {
    if (const int margin = CompareMargins(a.train, b.train); margin != 0) {
        return margin;
    }
    return a.train.right > b.train.right ? 1 : a.train.right < b.train.right ? -1 : 0;
}

} // namespace

std::string ScannedFormula::Text() const {
    std::string text;
    for (int t = 0; t < terms; ++t) {
        const auto at = static_cast<std::size_t>(t);
        if (t > 0) {
            text += '+';
        }
        if (coefficients[at] != 1) {
            text += std::to_string(coefficients[at]) + '*';
        }
        text += RuleFormula::VariableName(static_cast<RuleVariable>(variables[at]));
    }
    if (constant != 0) {
        text += '+' + std::to_string(constant);
    }
    return text;
}

int ScannedFormula::Needs() const {
    for (int t = 0; t < terms; ++t) {
        const int v = variables[static_cast<std::size_t>(t)];
        if (v >= static_cast<int>(RuleVariable::Hundreds2) &&
            v <= static_cast<int>(RuleVariable::Tail2)) {
            return 2;
        }
    }
    return 1;
}

struct FormulaScan::Work {
    int terms = 1;
    std::array<std::vector<std::int32_t>, 4> stage; // [j]: the tallies after folding j terms
    ScannedFormula formula;                         // the one being tallied
    std::vector<ScannedFormula> heap;               // the kept ones, worst at the front
};

FormulaScan::FormulaScan(const std::vector<int>& numbers, const std::vector<RuleInputs>& inputs,
                         const FormulaScanSetup& setup)
    : numbers_(numbers), inputs_(inputs), setup_(setup) {
    setup_.terms = std::clamp(setup_.terms, 1, 3);
    events_.reserve(numbers_.size());
    for (const int number : numbers_) {
        events_.push_back(EventsOf(setup_.target, number));
    }
}

bool FormulaScan::Better(const ScannedFormula& a, const ScannedFormula& b) {
    const int figures = CompareFigures(a, b);
    return figures != 0 ? figures > 0 : a.text < b.text;
}

std::uint64_t FormulaScan::Tried(int terms) {
    std::uint64_t coefficients = 1;
    for (int t = 0; t < terms; ++t) {
        coefficients *= kCoefficients;
    }
    return VariableSets(terms) * coefficients * 10;
}

std::size_t FormulaScan::VariableSets(int terms) {
    std::size_t sets = 1; // C(13, terms)
    for (int t = 0; t < terms; ++t) {
        sets = sets * static_cast<std::size_t>(kRuleVariableCount - t) /
               static_cast<std::size_t>(t + 1);
    }
    return sets;
}

bool FormulaScan::Run(const std::function<bool()>& step) {
    Work work;
    work.terms = setup_.terms;
    for (int j = 0; j <= work.terms; ++j) {
        work.stage[static_cast<std::size_t>(j)].resize(kBatches * Power10(work.terms - j) * 10);
    }
    std::array<std::uint8_t, 3> variables{0, 1, 2};
    const int m = work.terms;
    bool finished = true;
    // Every ascending choice of m of the thirteen variables, in lexicographic order.
    for (;;) {
        ScanSet(work, variables);
        if (step && !step()) {
            finished = false;
            break;
        }
        int t = m - 1;
        while (t >= 0 && variables[static_cast<std::size_t>(t)] == kRuleVariableCount - m + t) {
            --t;
        }
        if (t < 0) {
            break;
        }
        ++variables[static_cast<std::size_t>(t)];
        for (int u = t + 1; u < m; ++u) {
            variables[static_cast<std::size_t>(u)] =
                static_cast<std::uint8_t>(variables[static_cast<std::size_t>(u - 1)] + 1);
        }
    }
    std::sort_heap(work.heap.begin(), work.heap.end(), &FormulaScan::Better);
    best_ = std::move(work.heap);
    return finished;
}

namespace {

// Folds the last remaining variable into the running residue: out[p][(k·v + s) mod 10] +=
// in[p][v][s], for every batch and every prefix p of the variables still open.
void Fold(const std::vector<std::int32_t>& in, std::vector<std::int32_t>& out, std::size_t prefixes,
          int k) {
    std::fill(out.begin(), out.end(), 0);
    const std::size_t rows = kBatches * prefixes;
    for (std::size_t row = 0; row < rows; ++row) {
        std::int32_t* o = &out[row * 10];
        for (int v = 0; v < 10; ++v) {
            const auto& add = kAdd[static_cast<std::size_t>(k * v % 10)];
            const std::int32_t* from = &in[(row * 10 + static_cast<std::size_t>(v)) * 10];
            for (std::size_t s = 0; s < 10; ++s) {
                o[add[s]] += from[s];
            }
        }
    }
}

FormulaTally TallyFor(const std::int32_t* hits, const std::int32_t* values, int c, bool kills,
                      const std::array<int, 10>& counts) {
    FormulaTally tally;
    for (int w = 0; w < 10; ++w) {
        const int drawn = values[w];
        tally.tested += drawn;
        tally.chanceCount +=
            static_cast<long long>(drawn) * counts[static_cast<std::size_t>((w + c) % 10)];
    }
    // value = w + c equals the event e exactly when w − e ≡ −c.
    const int hit = hits[(10 - c) % 10];
    tally.right = kills ? tally.tested - hit : hit;
    return tally;
}

} // namespace

void FormulaScan::ScanSet(Work& work, const std::array<std::uint8_t, 3>& variables) const {
    const int m = work.terms;
    ScannedFormula& formula = work.formula;
    formula.terms = m;
    formula.variables = variables;
    const auto needs = static_cast<std::size_t>(formula.Needs());

    std::vector<std::int32_t>& first = work.stage[0];
    std::fill(first.begin(), first.end(), 0);
    const std::size_t batch = Power10(m) * 10;
    const std::size_t end = numbers_.size();
    for (std::size_t i = std::max(setup_.trainBegin, needs); i < end; ++i) {
        const std::size_t segment = i < setup_.checkBegin ? 0 : 2;
        std::size_t p = 0;
        for (int t = 0; t < m; ++t) {
            p = p * 10 + inputs_[i].mod10[variables[static_cast<std::size_t>(t)]];
        }
        std::int32_t* hits = &first[segment * batch + p * 10];
        ++hits[batch]; // the values batch: residue 0 before any term is added
        for (unsigned e = events_[i]; e != 0; e &= e - 1) {
            const int value = std::countr_zero(e);
            ++hits[(10 - value) % 10];
        }
    }

    const bool kills = Kills(setup_.target);
    const std::array<int, 10>& counts = RuleTargets::RightCounts(setup_.target);
    // Folds term m−1, then m−2, …; at the bottom every coefficient is chosen.
    const std::function<void(int)> descend = [&](int j) {
        if (j == m) {
            const std::vector<std::int32_t>& f = work.stage[static_cast<std::size_t>(m)];
            for (int c = 0; c < 10; ++c) {
                formula.constant = c;
                formula.train = TallyFor(&f[0], &f[10], c, kills, counts);
                formula.check = TallyFor(&f[20], &f[30], c, kills, counts);
                Keep(work, formula);
            }
            return;
        }
        const auto term = static_cast<std::size_t>(m - 1 - j);
        for (int k = 1; k <= kCoefficients; ++k) {
            formula.coefficients[term] = static_cast<std::uint8_t>(k);
            Fold(work.stage[static_cast<std::size_t>(j)],
                 work.stage[static_cast<std::size_t>(j + 1)], Power10(m - j - 1), k);
            descend(j + 1);
        }
    };
    descend(0);
}

void FormulaScan::Keep(Work& work, ScannedFormula candidate) const {
    std::vector<ScannedFormula>& heap = work.heap;
    if (setup_.top == 0) {
        return;
    }
    if (heap.size() == setup_.top) {
        const int figures = CompareFigures(candidate, heap.front());
        if (figures < 0) {
            return;
        }
        if (figures == 0) {
            candidate.text = candidate.Text();
            if (!(candidate.text < heap.front().text)) {
                return;
            }
        }
        std::pop_heap(heap.begin(), heap.end(), &FormulaScan::Better);
        heap.pop_back();
    }
    if (candidate.text.empty()) {
        candidate.text = candidate.Text();
    }
    heap.push_back(std::move(candidate));
    std::push_heap(heap.begin(), heap.end(), &FormulaScan::Better);
}

} // namespace tarvex
