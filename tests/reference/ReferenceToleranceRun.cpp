#include "ReferenceRun.h"
#include "ReferenceTexts.h"

#include "predicates/Classifiers.h"
#include "predicates/Formula.h"
#include "predicates/MatchFilter.h"
#include "predicates/PositionSize.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tarvex {

namespace {

using Text = std::string;

bool In(const Text& text, const Text& needle) {
    return ReferenceContains(text, needle);
}

bool AnyIn(const Text& text, const std::vector<Text>& needles) {
    return std::any_of(needles.begin(), needles.end(), [&](const Text& n) { return In(text, n); });
}

struct Examiner {
    const Settings& s;
    const ReferenceTexts& x;

    ReportLine Examine(int n) const {
        const Text c = ReferenceNumber(n);
        const int h = n / 100, t = n / 10 % 10, u = n % 10;
        const Text hd = ReferenceDigit(h), td = ReferenceDigit(t), ud = ReferenceDigit(u);
        const int sum = h + t + u;
        const int span = std::max({h, t, u}) - std::min({h, t, u});
        const std::vector<Text> pairs{hd + td, hd + ud, td + hd, td + ud, ud + hd, ud + td};
        const std::vector<Text> positional{"*" + td + ud, hd + "*" + ud, hd + td + "*"};
        const bool matchPasses = MatchFilterTest(n, s.matches);
        const bool sumListed = s.killSums && In(x.sums, ReferenceBlanked(sum));

        ReportLine line;
        line.number = c;
        const auto add = [&](bool rejects, const char* label) {
            if (rejects) {
                line.labels.emplace_back(label);
                ++line.count;
            }
        };
        add(!x.dan.empty() && !In(x.dan, hd) && !In(x.dan, td) && !In(x.dan, ud) &&
                !(s.matchFilter && matchPasses),
            " 胆 ");
        add(!x.positionalKill2.empty() && AnyIn(x.positionalKill2, positional), " 定位杀2码 ");
        add(!x.kill2.empty() && AnyIn(x.kill2, pairs), " 不定位杀2码 ");
        add(!x.mustHave2.empty() &&
                !AnyIn(x.mustHave2, s.pages.mustHave2Positional ? positional : pairs),
            " 必出2码 ");
        add(!x.direct.empty() && In(x.direct, c), " 杀直选号码 ");
        add(sum < s.sumLow || sum > s.sumHigh, " 和值范围 ");
        add(In(x.sumTail, ReferenceDigit(sum % 10)), " 和尾 ");
        add(In(x.span, ReferenceDigit(span)), " 跨度 ");
        add(s.positionalKill &&
                (In(s.positionalKillDigits[0], hd) || In(s.positionalKillDigits[1], td) ||
                 In(s.positionalKillDigits[2], ud)),
            " 定位杀 ");
        add(s.excludeCompound && In(s.exclude[0], hd) && In(s.exclude[1], td) &&
                In(s.exclude[2], ud),
            " 复式排除 ");
        add(sumListed, " 杀指定和值 ");
        add(!In(x.bigSmall, ReferenceDigit(BigSmallCode(n))), " 大小过滤 ");
        add(!In(x.oddEven, ReferenceDigit(OddEvenCode(n))), " 奇偶过滤 ");
        add(!In(x.primeComposite, ReferenceDigit(PrimeCompositeCode(n))), " 质合过滤 ");
        add(In(x.shapeAndConsecutive, ReferenceDigit(ShapeCode(n))), " 结构过滤 ");
        add(In(x.shapeAndConsecutive, ReferenceDigit(ConsecutiveCode(n))), " 连号过滤 ");
        add(In(x.route, ReferenceBlanked(Route012Code(n))), " 012过滤 ");
        add(!In(x.routeGroups, ReferenceBlanked(Route012Code(n))), " 012过滤组 ");
        add(s.danCount == 2 && !DanCountTest(n, x.dan, 2), " 2胆过滤 ");
        add(s.danCount == 3 && !DanCountTest(n, x.dan, 3), " 3胆过滤 ");
        add(sumListed, " 和值过滤 ");
        add(s.matchFilter && !matchPasses, " 匹配过滤 ");
        add(s.positionSize && !PositionSizeTest(n, s.positionSizes), " 位置大小 ");
        add(!x.junk.empty() && !ReferenceJunkCompoundTest(c, x.junk), " 垃圾复试");
        add(!x.intersection.empty() && !In(x.intersection, c), " 交集过滤");
        add(s.pages.formulaMatch && !FormulaTest(n, s.pages.formulas, s.pages.formulaMode),
            " 公式过滤");
        add(!In(x.ac, ReferenceDigit(AcCode(n))), " AC值过滤");
        return line;
    }
};

} // namespace

ToleranceOutcome ReferenceRunTolerance(const Settings& s, const ToleranceInput& input) {
    const ReferenceTexts x(s);
    const Examiner examiner{s, x};
    ToleranceOutcome out;
    out.list = input.list;
    out.resultText = input.resultText;
    const long long baseCount = static_cast<long long>(input.list.size());
    long long readmit = 0;
    for (const int n : input.killed) {
        if (n < 0 || n > 999) {
            continue;
        }
        ReportLine line = examiner.Examine(n);
        if (line.count <= static_cast<long long>(s.level) + 1 && !In(out.resultText, line.number)) {
            auto at = out.list.begin();
            while (at != out.list.end() && !(line.number < *at)) {
                ++at;
            }
            out.list.insert(at, line.number);
            out.resultText += line.number + "\t";
            out.readmitted.push_back(n);
            ++readmit;
            if ((baseCount + readmit) % 5 == 0) {
                out.resultText += "\n";
            }
        }
        Text reason = line.number;
        for (const Text& label : line.labels) {
            reason += label;
        }
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, " 排除原因数 %d\n", line.count);
        out.reportText += reason + buffer;
        out.report.push_back(std::move(line));
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "杀完还剩下%d注", static_cast<int>(out.list.size()));
    out.countText = buffer;
    std::snprintf(buffer, sizeof buffer, "容错%d注", static_cast<int>(readmit));
    out.toleranceText = buffer;
    return out;
}

} // namespace tarvex
