#include "engine/CompiledConditions.h"

#include "engine/TextScan.h"
#include "predicates/Classifiers.h"
#include "predicates/Digits.h"
#include "predicates/Formula.h"
#include "predicates/JunkCompound.h"
#include "predicates/MatchFilter.h"
#include "predicates/PositionSize.h"

#include <array>
#include <string_view>
#include <vector>

namespace tarvex {

namespace {

template <typename Predicate> NumberSet Where(Predicate predicate) {
    NumberSet set;
    for (int n = 0; n < 1000; ++n) {
        if (predicate(n)) {
            set.set(n);
        }
    }
    return set;
}

bool Has(std::uint16_t mask, int digit) {
    return (mask >> digit & 1) != 0;
}

std::uint16_t MaskOf(const std::array<bool, 10>& boxes) {
    std::uint16_t mask = 0;
    for (int d = 0; d < 10; ++d) {
        if (boxes[d]) {
            mask |= static_cast<std::uint16_t>(1u << d);
        }
    }
    return mask;
}

std::string_view Working(const std::string& text, std::initializer_list<const char*> placeholders) {
    for (const char* placeholder : placeholders) {
        if (text == placeholder) {
            return {};
        }
    }
    return text;
}

bool AnyPair(const PairSet& pairs, const Digits& d) {
    const std::array<int, 6> ordered{d.h * 10 + d.t, d.h * 10 + d.u, d.t * 10 + d.h,
                                     d.t * 10 + d.u, d.u * 10 + d.h, d.u * 10 + d.t};
    for (const int pair : ordered) {
        if (pairs.test(pair)) {
            return true;
        }
    }
    return false;
}

bool AnyPositional(const PositionalPairs& found, const Digits& d) {
    return found.freeHundreds.test(d.t * 10 + d.u) || found.freeTens.test(d.h * 10 + d.u) ||
           found.freeUnits.test(d.h * 10 + d.t);
}

// The route codes of each box of the 其他 page, in box order.
const std::array<std::vector<int>, 10> kRouteGroups{{{0},
                                                     {1, 3, 9},
                                                     {2, 6, 18},
                                                     {4, 10, 12},
                                                     {5, 7, 11, 15, 19, 21},
                                                     {8, 20, 24},
                                                     {13},
                                                     {14, 16, 22},
                                                     {17, 23, 25},
                                                     {26}}};

NumberSet JunkCovered(std::string_view text) {
    // For each hundreds and tens digit, the units digits some compound covers.
    std::array<std::array<std::uint16_t, 10>, 10> units{};
    for (const JunkCompound& compound : ParseJunkCompounds(text)) {
        for (int h = 0; h < 10; ++h) {
            if (!Has(compound.groups[0], h)) {
                continue;
            }
            for (int t = 0; t < 10; ++t) {
                if (Has(compound.groups[1], t)) {
                    units[h][t] |= compound.groups[2];
                }
            }
        }
    }
    return Where([&](int n) { return Has(units[n / 100][n / 10 % 10], n % 10); });
}

// A number's pattern codes never change, and a backtest with rules compiles thousands of
// settings, so they are classified once.
struct PatternCodes {
    std::uint8_t bigSmall, oddEven, primeComposite, shape, consecutive, route, ac;
};

const std::array<PatternCodes, 1000>& AllPatternCodes() {
    static const std::array<PatternCodes, 1000> codes = [] {
        std::array<PatternCodes, 1000> all{};
        for (int n = 0; n < 1000; ++n) {
            const auto code = [](int c) { return static_cast<std::uint8_t>(c); };
            all[static_cast<std::size_t>(n)] = {
                code(BigSmallCode(n)), code(OddEvenCode(n)),     code(PrimeCompositeCode(n)),
                code(ShapeCode(n)),    code(ConsecutiveCode(n)), code(Route012Code(n)),
                code(AcCode(n))};
        }
        return all;
    }();
    return codes;
}

} // namespace

CompiledConditions::CompiledConditions(const Settings& settings) {
    CompileMainWindow(settings);
    CompilePatterns(settings);
    CompileLists(settings);
    CompilePages(settings.pages);
    CompileCandidates(settings);
}

CompiledConditions CompiledConditions::WithMainWindow(const Settings& settings) const {
    CompiledConditions compiled = *this;
    compiled.CompileMainWindow(settings);
    compiled.CompileDanTolerant(settings);
    return compiled;
}

void CompiledConditions::CompileMainWindow(const Settings& s) {
    // Conditions that are off reject nothing, also when compiled over earlier settings.
    for (const Condition off :
         {Condition::PositionalKill, Condition::ExcludeCompound, Condition::KillSums}) {
        Set(off).reset();
    }
    const std::uint16_t dan = MaskOf(s.dan);
    Set(Condition::Dan) = Where([&](int n) {
        const Digits d(n);
        return dan != 0 && !Has(dan, d.h) && !Has(dan, d.t) && !Has(dan, d.u);
    });
    Set(Condition::SumRange) = Where([&](int n) {
        const int sum = Digits(n).Sum();
        return sum < s.sumLow || sum > s.sumHigh;
    });
    Set(Condition::SumTail) = Where([&](int n) { return s.sumTail[Digits(n).Sum() % 10]; });
    Set(Condition::Span) = Where([&](int n) { return s.span[Digits(n).Span()]; });
    if (s.positionalKill) {
        std::array<std::uint16_t, 3> kill{};
        for (int p = 0; p < 3; ++p) {
            kill[p] = DigitMask(s.positionalKillDigits[p]);
        }
        Set(Condition::PositionalKill) = Where([&](int n) {
            const Digits d(n);
            return Has(kill[0], d.h) || Has(kill[1], d.t) || Has(kill[2], d.u);
        });
    }
    if (s.excludeCompound) {
        std::array<std::uint16_t, 3> ex{};
        for (int p = 0; p < 3; ++p) {
            ex[p] = DigitMask(s.exclude[p]);
        }
        Set(Condition::ExcludeCompound) = Where([&](int n) {
            const Digits d(n);
            return Has(ex[0], d.h) && Has(ex[1], d.t) && Has(ex[2], d.u);
        });
    }
    if (s.killSums) {
        PairSet listed = BlankedValues(" " + s.sums + " ");
        Set(Condition::KillSums) = Where([&](int n) { return listed.test(Digits(n).Sum()); });
    }
    Set(Condition::Dan2) =
        Where([&](int n) { return s.danCount == 2 && !DanCountTest(n, dan, 2); });
    Set(Condition::Dan3) =
        Where([&](int n) { return s.danCount == 3 && !DanCountTest(n, dan, 3); });
}

void CompiledConditions::CompilePatterns(const Settings& s) {
    std::vector<bool> inGroup(27, false);
    for (int g = 0; g < 10; ++g) {
        for (const int code : kRouteGroups[g]) {
            inGroup[code] = inGroup[code] || s.pages.routeGroups[g];
        }
    }
    const std::array<PatternCodes, 1000>& codes = AllPatternCodes();
    for (int n = 0; n < 1000; ++n) {
        const PatternCodes& c = codes[static_cast<std::size_t>(n)];
        Set(Condition::BigSmall)[n] = !s.bigSmall[c.bigSmall];
        Set(Condition::OddEven)[n] = !s.oddEven[c.oddEven];
        Set(Condition::PrimeComposite)[n] = !s.primeComposite[c.primeComposite];
        Set(Condition::Shape)[n] = s.shape[c.shape];
        Set(Condition::Consecutive)[n] = s.consecutive[c.consecutive - 3];
        Set(Condition::Route)[n] = s.route[c.route];
        Set(Condition::RouteGroup)[n] = !inGroup[c.route];
        Set(Condition::Ac)[n] = !s.ac[c.ac - 1];
    }
}

// The rows of the three lists are few and short, so each number is put to the predicates
// themselves, with every row read once beforehand.
void CompiledConditions::CompileLists(const Settings& s) {
    if (s.matchFilter) {
        const MatchFilter filter(s.matches);
        Set(Condition::Match) = Where([&](int n) { return !filter.Passes(n); });
    }
    CompileDanTolerant(s);
    if (s.positionSize) {
        const PositionSizeFilter filter(s.positionSizes);
        Set(Condition::PositionSize) = Where([&](int n) { return !filter.Passes(n); });
    }
}

void CompiledConditions::CompileDanTolerant(const Settings& s) {
    danTolerant_ = rejects_[static_cast<int>(Condition::Dan)];
    if (s.matchFilter) {
        danTolerant_ &= Set(Condition::Match);
    }
}

void CompiledConditions::CompilePages(const PageSettings& pages) {
    const std::string_view positional =
        Working(pages.positionalKill2, {kPlaceholderPositionalKill2});
    if (!positional.empty()) {
        const PositionalPairs found = ScanPositionalPairs(positional);
        Set(Condition::PositionalKill2) =
            Where([&](int n) { return AnyPositional(found, Digits(n)); });
    }
    const std::string_view kill2 = Working(pages.kill2, {kPlaceholderKill2});
    if (!kill2.empty()) {
        const PairSet pairs = DigitPairs(kill2);
        Set(Condition::Kill2) = Where([&](int n) { return AnyPair(pairs, Digits(n)); });
    }
    const std::string_view must =
        Working(pages.mustHave2, {kPlaceholderMustHave2, kPlaceholderMustHave2Positional});
    if (!must.empty()) {
        if (pages.mustHave2Positional) {
            const PositionalPairs found = ScanPositionalPairs(must);
            Set(Condition::MustHave2) =
                Where([&](int n) { return !AnyPositional(found, Digits(n)); });
        } else {
            const PairSet pairs = DigitPairs(must);
            Set(Condition::MustHave2) = Where([&](int n) { return !AnyPair(pairs, Digits(n)); });
        }
    }
    const std::string_view direct = Working(pages.direct, {kPlaceholderDirect});
    if (!direct.empty()) {
        Set(Condition::Direct) = DigitWindows(direct);
    }
    const std::string_view junk = Working(pages.junk, {kPlaceholderJunk});
    if (!junk.empty()) {
        Set(Condition::Junk) = JunkCovered(junk);
    }
    CompileIntersection(pages);
    if (pages.formulaMatch) {
        const FormulaFilter filter(pages.formulas, pages.formulaMode);
        Set(Condition::Formula) = Where([&](int n) { return !filter.Passes(n); });
    }
}

// With 号码是组选号码 the list is first rewritten to every ordering of every listed
// number; an expansion that finds nothing leaves the condition off.
void CompiledConditions::CompileIntersection(const PageSettings& pages) {
    const std::string_view text = pages.intersection;
    if (text.empty()) {
        return;
    }
    NumberSet listed = DigitWindows(text);
    if (pages.intersectionGroup) {
        listed = PermutationClosure(listed);
        if (listed.none()) {
            return;
        }
    }
    Set(Condition::Intersection) = ~listed;
}

void CompiledConditions::CompileCandidates(const Settings& s) {
    if (s.compoundInput) {
        std::array<std::uint16_t, 3> allowed{};
        for (int p = 0; p < 3; ++p) {
            allowed[p] = DigitMask(s.compound[p]);
        }
        candidates_ = Where([&](int n) {
            const Digits d(n);
            return Has(allowed[0], d.h) && Has(allowed[1], d.t) && Has(allowed[2], d.u);
        });
    } else if (s.baseSet) {
        const NumberSet listed = DigitWindows(s.result);
        candidates_ = s.baseIsGroup ? PermutationClosure(listed) : listed;
    } else {
        candidates_.set();
    }
}

} // namespace tarvex
