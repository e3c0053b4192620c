#include "history/RandomnessText.h"

#include "history/TextTable.h"

#include <cstdio>

namespace tarvex {

std::string RandomnessText::Verdict(const RandomnessTest& test) {
    if (!test.p) {
        return kNotRun;
    }
    return test.significant ? kSignificant : kFair;
}

std::string RandomnessText::Summary(const RandomnessAudit& audit) {
    const int run = audit.Run();
    const int skipped = static_cast<int>(audit.tests.size()) - run;
    std::string text = "在 " + std::to_string(audit.draws) + " 期里，";
    const int significant = audit.Significant();
    if (run == 0) {
        text += "期数太少，没有一项检验可以做";
        return text;
    }
    if (significant == 0) {
        text += std::to_string(run) + " 项检验都没有发现与公平开奖的显著差异";
    } else {
        text += std::to_string(run) + " 项检验中有 " + std::to_string(significant) +
                " 项显著（校正后 p < 0.05）：";
        bool first = true;
        for (const RandomnessTest& test : audit.tests) {
            if (test.significant) {
                text += (first ? "" : "、") + test.name;
                first = false;
            }
        }
    }
    if (skipped > 0) {
        text += "（另有 " + std::to_string(skipped) + " 项因数据不足未做）";
    }
    return text;
}

std::string RandomnessText::Statistic(const RandomnessTest& test) {
    if (!test.p) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", test.statistic);
    return text;
}

std::string RandomnessText::Df(const RandomnessTest& test) {
    return test.df && test.p ? std::to_string(*test.df) : "-";
}

std::string RandomnessText::P(const std::optional<double>& p) {
    if (!p) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, *p >= 0.0001 || *p == 0 ? "%.4f" : "%.1e", *p);
    return text;
}

std::string RandomnessText::Report(const RandomnessAudit& audit) {
    std::string text = Summary(audit) + "\n";
    if (!audit.firstIssue.empty()) {
        text += "期号 " + audit.firstIssue + " 至 " + audit.lastIssue + "\n";
    }
    text += "\n";
    TextTable table({"检验", "统计量", "自由度", "p", "校正 p", "结论", "说明"});
    for (const RandomnessTest& test : audit.tests) {
        table.Add({test.name, Statistic(test), Df(test), P(test.p), P(test.pHolm), Verdict(test),
                   test.note});
    }
    return text + table.Text();
}

} // namespace tarvex
