#include "history/RuleText.h"

#include "engine/BacktestText.h"
#include "engine/RunText.h"
#include "history/RuleTargets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvex {

namespace {

std::string Pad(const std::string& text, int width) {
    return BacktestText::Pad(text, width);
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Trimmed(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

} // namespace

std::string RuleText::Percent(const ExactRate& share, bool sign) {
    // With no tested draw the rates are 0, as the doubles are.
    return share.denominator == 0 ? std::string("0.00%") : share.Percent(2, sign);
}

std::string RuleText::Verdict(const RuleJudgement& judgement) {
    if (judgement.WithinNoise()) {
        return "与机会无异";
    }
    return judgement.Margin() > 0 ? "高于机会" : "低于机会";
}

std::string RuleText::Table(const std::vector<RuleJudgement>& judgements, std::size_t draws,
                            const std::string& nextIssue) {
    int formulaWidth = BacktestText::DisplayWidth("公式") + 2;
    for (const RuleJudgement& j : judgements) {
        formulaWidth = std::max(formulaWidth, BacktestText::DisplayWidth(j.rule.formula) + 2);
    }
    std::string text = "共 " + std::to_string(draws) + " 期，下期 " +
                       (nextIssue.empty() ? std::string("-") : nextIssue) + "\n";
    text += Trimmed(Pad("目标", 8) + Pad("公式", formulaWidth) + Pad("期数", 7) + Pad("对", 7) +
                    Pad("命中率", 9) + Pad("机会率", 9) + Pad("差值", 9) + Pad("最大连错", 9) +
                    Pad("当前连错", 9) + Pad("下期", 5) + "判断");
    for (const RuleJudgement& j : judgements) {
        const std::string next = j.next == kNoRuleValue ? "-" : std::to_string(j.next);
        text +=
            Trimmed(Pad(RuleTargets::Name(j.rule.target), 8) + Pad(j.rule.formula, formulaWidth) +
                    Pad(std::to_string(j.tested), 7) + Pad(std::to_string(j.right), 7) +
                    Pad(Percent(j.HitShare()), 9) + Pad(Percent(j.ChanceShare()), 9) +
                    Pad(Percent(j.MarginShare(), true), 9) + Pad(std::to_string(j.maxMiss), 9) +
                    Pad(std::to_string(j.currentMiss), 9) + Pad(next, 5) + Verdict(j));
    }
    text += "\n机会率：开奖号码完全随机时，规则每期说对的概率的平均。差值在两个标准误差以内的\n"
            "规则标为“与机会无异”：它的命中率和瞎猜一样，再高也只是运气。\n";
    return text;
}

std::string RuleText::Values(const std::vector<int>& values) {
    std::string text;
    for (const int v : values) {
        if (!text.empty()) {
            text += ' ';
        }
        text += v == kNoRuleValue ? std::string("-") : std::to_string(v);
    }
    return text;
}

std::string RuleText::BacktestSummary(const RuleBacktestResult& r, int level) {
    std::string text = "共 " + std::to_string(r.draws.size()) + " 期（每期重算规则，共做 " +
                       std::to_string(r.settingsRun) + " 种条件）：杀号后中 " +
                       std::to_string(r.wonAfterKill) + " 期，容错 " + std::to_string(level) +
                       " 级后中 " + std::to_string(r.wonAfterTolerance) + " 期\n";
    text += "杀号后共 " + std::to_string(r.countPlayed) + " 注，随机选同样多的注平均中 " +
            Fixed(r.ChanceWins(), 2) + " 期；容错后共 " + std::to_string(r.toleranceCountPlayed) +
            " 注，随机平均中 " + Fixed(r.ChanceWinsAfterTolerance(), 2) + " 期\n";
    if (r.stopped > 0) {
        text += "其中 " + std::to_string(r.stopped) + " 期杀组合因检查提示而停止，没有号码\n";
    }
    return text;
}

std::string RuleText::BacktestTable(const RuleBacktestResult& r, int level) {
    const auto yes = [](bool b) { return std::string(b ? "是" : "否"); };
    int valuesWidth = BacktestText::DisplayWidth("规则值") + 2;
    for (const RuleBacktestDraw& d : r.draws) {
        valuesWidth = std::max(valuesWidth, BacktestText::DisplayWidth(Values(d.values)) + 2);
    }
    std::string text =
        Trimmed(Pad("期号", 12) + Pad("号码", 6) + Pad("规则值", valuesWidth) + Pad("杀号后", 8) +
                Pad("容错后", 8) + Pad("注数", 6) + Pad("容错注数", 10) + "排除原因");
    for (const RuleBacktestDraw& d : r.draws) {
        std::string line = Pad(d.draw.issue, 12) + Pad(CandidateText(d.draw.number), 6) +
                           Pad(Values(d.values), valuesWidth);
        if (!d.message.empty()) {
            line += "停止：" + d.message;
        } else {
            line += Pad(yes(d.draw.survivesKill), 8) + Pad(yes(d.draw.survivesTolerance), 8) +
                    Pad(std::to_string(d.draw.count), 6) +
                    Pad(std::to_string(d.toleranceCount), 10) +
                    BacktestText::Reasons(d.draw.labels);
        }
        text += Trimmed(line);
    }
    text += '\n';
    text += BacktestSummary(r, level);
    text += '\n';
    text += BacktestText::SpanTable(r.spans);
    text += '\n';
    text += BacktestText::ConditionTable(r.conditions, r.spans);
    return text;
}

} // namespace tarvex
