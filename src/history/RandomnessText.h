#pragma once

#include "history/RandomnessAudit.h"

#include <string>

namespace tarvex {

// The words and figures of 随机性检验, alike in the window and on the command line.
class RandomnessText {
public:
    static constexpr const char* kFair = "与公平开奖无显著差异";
    static constexpr const char* kSignificant = "显著（校正后 p < 0.05）";
    static constexpr const char* kNotRun = "未检验";

    static std::string Verdict(const RandomnessTest& test);
    // "在 7731 期里，52 项检验都没有发现与公平开奖的显著差异", or which tests were significant.
    static std::string Summary(const RandomnessAudit& audit);
    static std::string Statistic(const RandomnessTest& test); // "12.34"; "-" when not run
    static std::string Df(const RandomnessTest& test);        // "9"; "-" without
    static std::string P(const std::optional<double>& p);     // "0.4321", "3.2e-08"; "-"
    // The whole table with the summary above it, for a terminal.
    static std::string Report(const RandomnessAudit& audit);
};

} // namespace tarvex
