#include "ReferenceRun.h"
#include "ReferenceTexts.h"

#include "predicates/Classifiers.h"
#include "predicates/Formula.h"
#include "predicates/MatchFilter.h"
#include "predicates/PositionSize.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {

namespace {

using Text = std::string;

struct Candidate {
    Text text;
    int n, h, t, u;
    Text hd, td, ud;
    explicit Candidate(const Text& c)
        : text(c), n(std::atoi(c.c_str())), h(n / 100), t(n / 10 % 10), u(n % 10),
          hd(ReferenceDigit(h)), td(ReferenceDigit(t)), ud(ReferenceDigit(u)) {}
    int Sum() const { return h + t + u; }
    int Span() const { return std::max({h, t, u}) - std::min({h, t, u}); }
    std::vector<Text> Pairs() const {
        return {hd + td, hd + ud, td + hd, td + ud, ud + hd, ud + td};
    }
    std::vector<Text> Positional() const { return {"*" + td + ud, hd + "*" + ud, hd + td + "*"}; }
};

bool AnyIn(const Text& text, const std::vector<Text>& needles) {
    return std::any_of(needles.begin(), needles.end(),
                       [&](const Text& needle) { return ReferenceContains(text, needle); });
}

int Count(const auto& boxes) {
    return static_cast<int>(std::count(boxes.begin(), boxes.end(), true));
}

Text Validate(const Settings& s, const ReferenceTexts& x) {
    if (s.danCount == 2 && x.dan.size() < 2) {
        return "你选择了出2胆，胆的数目不能小于2个";
    }
    if (s.danCount == 3 && x.dan.size() < 3) {
        return "你选择了出3胆，胆的数目不能小于3个";
    }
    if (x.bigSmall.empty()) {
        return "所有的大小均被排除，结果将为空，请重新选择";
    }
    if (x.oddEven.empty()) {
        return "所有的奇偶均被排除，结果将为空，请重新选择";
    }
    if (Count(s.shape) == 3) {
        return "豹子，组三，组六都被排除，结果将为空，请重新选择";
    }
    if (Count(s.consecutive) == 3) {
        return "顺子，二连，不连码都被排除，结果将为空，请重新选择";
    }
    if (Count(s.route) == 27) {
        return "所有的012路均被排除，结果将为空，请重新选择";
    }
    return {};
}

bool IsCandidate(const Settings& s, const Candidate& c) {
    if (s.compoundInput) {
        return ReferenceContains(s.compound[0], c.hd) && ReferenceContains(s.compound[1], c.td) &&
               ReferenceContains(s.compound[2], c.ud);
    }
    if (s.baseSet) {
        if (!s.baseIsGroup) {
            return ReferenceContains(s.result, c.text);
        }
        return AnyIn(s.result, {c.hd + c.td + c.ud, c.hd + c.ud + c.td, c.td + c.hd + c.ud,
                                c.td + c.ud + c.hd, c.ud + c.hd + c.td, c.ud + c.td + c.hd});
    }
    return true;
}

using KillTest = std::function<bool(const Candidate&)>;

std::vector<KillTest> Stage2(const Settings& s, const ReferenceTexts& x) {
    return {
        [&](const Candidate& c) {
            return !x.positionalKill2.empty() && AnyIn(x.positionalKill2, c.Positional());
        },
        [&](const Candidate& c) { return !x.kill2.empty() && AnyIn(x.kill2, c.Pairs()); },
        [&](const Candidate& c) {
            return !x.mustHave2.empty() &&
                   !AnyIn(x.mustHave2, s.pages.mustHave2Positional ? c.Positional() : c.Pairs());
        },
        [&](const Candidate& c) {
            return !x.direct.empty() && ReferenceContains(x.direct, c.text);
        },
        [&](const Candidate& c) { return c.Sum() < s.sumLow; },
        [&](const Candidate& c) { return c.Sum() > s.sumHigh; },
        [&](const Candidate& c) {
            return ReferenceContains(x.sumTail, ReferenceDigit(c.Sum() % 10));
        },
        [&](const Candidate& c) { return ReferenceContains(x.span, ReferenceDigit(c.Span())); },
    };
}

std::vector<KillTest> Stage3(const Settings& s) {
    return {
        [&](const Candidate& c) {
            return s.excludeCompound && ReferenceContains(s.exclude[0], c.hd) &&
                   ReferenceContains(s.exclude[1], c.td) && ReferenceContains(s.exclude[2], c.ud);
        },
        [&](const Candidate& c) {
            return s.positionalKill && (ReferenceContains(s.positionalKillDigits[0], c.hd) ||
                                        ReferenceContains(s.positionalKillDigits[1], c.td) ||
                                        ReferenceContains(s.positionalKillDigits[2], c.ud));
        },
    };
}

std::vector<KillTest> Stage4(const Settings& s, const ReferenceTexts& x) {
    const auto missing = [](const Text& text, int code) {
        return !ReferenceContains(text, ReferenceDigit(code));
    };
    return {
        [=, &x](const Candidate& c) { return missing(x.bigSmall, BigSmallCode(c.n)); },
        [=, &x](const Candidate& c) { return missing(x.oddEven, OddEvenCode(c.n)); },
        [=, &x](const Candidate& c) { return missing(x.primeComposite, PrimeCompositeCode(c.n)); },
        [&](const Candidate& c) {
            return ReferenceContains(x.shapeAndConsecutive, ReferenceDigit(ShapeCode(c.n)));
        },
        [&](const Candidate& c) {
            return ReferenceContains(x.shapeAndConsecutive, ReferenceDigit(ConsecutiveCode(c.n)));
        },
        [&](const Candidate& c) {
            return ReferenceContains(x.route, ReferenceBlanked(Route012Code(c.n)));
        },
        [&](const Candidate& c) {
            return !ReferenceContains(x.routeGroups, ReferenceBlanked(Route012Code(c.n)));
        },
        [=, &x](const Candidate& c) { return missing(x.ac, AcCode(c.n)); },
        [&](const Candidate& c) { return s.danCount == 2 && !DanCountTest(c.n, x.dan, 2); },
        [&](const Candidate& c) { return s.danCount == 3 && !DanCountTest(c.n, x.dan, 3); },
        [&](const Candidate& c) {
            return s.killSums && ReferenceContains(x.sums, ReferenceBlanked(c.Sum()));
        },
        [&](const Candidate& c) { return s.matchFilter && !MatchFilterTest(c.n, s.matches); },
        [&](const Candidate& c) {
            return s.positionSize && !PositionSizeTest(c.n, s.positionSizes);
        },
        [&](const Candidate& c) {
            return s.pages.formulaMatch && !FormulaTest(c.n, s.pages.formulas, s.pages.formulaMode);
        },
        [&](const Candidate& c) {
            return !x.junk.empty() && !ReferenceJunkCompoundTest(c.text, x.junk);
        },
        [&](const Candidate& c) {
            return !x.intersection.empty() && !ReferenceContains(x.intersection, c.text);
        },
    };
}

std::vector<Text> Pass(const std::vector<Text>& list, const std::vector<KillTest>& rules,
                       std::vector<int>& killed) {
    std::vector<Text> next;
    for (const Text& text : list) {
        const Candidate c(text);
        bool dies = false;
        for (const KillTest& rule : rules) {
            if (rule(c)) {
                dies = true;
                break;
            }
        }
        if (dies) {
            killed.push_back(c.n);
        } else {
            next.push_back(text);
        }
    }
    return next;
}

} // namespace

KillOutcome ReferenceRunKill(const Settings& s) {
    KillOutcome out;
    const ReferenceTexts x(s);
    out.message = Validate(s, x);
    if (!out.message.empty()) {
        return out;
    }
    std::vector<Text> list;
    for (int i = 0; i < 1000; ++i) {
        if (IsCandidate(s, Candidate(ReferenceNumber(i)))) {
            list.push_back(ReferenceNumber(i));
        }
    }
    const std::vector<KillTest> stage1{[&](const Candidate& c) {
        return !x.dan.empty() && !ReferenceContains(x.dan, c.hd) &&
               !ReferenceContains(x.dan, c.td) && !ReferenceContains(x.dan, c.ud);
    }};
    list = Pass(list, stage1, out.killed);
    list = Pass(list, Stage2(s, x), out.killed);
    list = Pass(list, Stage3(s), out.killed);
    list = Pass(list, Stage4(s, x), out.killed);
    const int perRow = s.perRow >= 0 && s.perRow <= 19 ? s.perRow + 1 : 1;
    int n = 0;
    for (const Text& text : list) {
        out.survivors.push_back(std::atoi(text.c_str()));
        out.fileText += text + "\t";
        out.resultText += text + "\t";
        ++n;
        if (n % perRow == 0) {
            out.fileText += "\n";
        }
        if (n % 5 == 0) {
            out.resultText += "\n";
        }
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "杀完还剩下%d注", n);
    out.countText = buffer;
    return out;
}

} // namespace tarvex
