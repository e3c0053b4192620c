#pragma once

#include "engine/HistoricDraw.h"
#include "history/RuleInputs.h"
#include "history/RuleJudgement.h"
#include "history/RuleSet.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// Judges rules over the last draws of a history. The variables of every draw are worked
// out once, so each rule then costs one pass over the window.
class RuleJudge {
public:
    // `history` oldest first (entries whose number is not 0..999 are left out); the window is
    // its newest `last` draws, 0 taking all. A draw of the window is judged when the draws
    // its formula needs exist, even before the window. `nextIssue` is the 期号 of the coming
    // draw, whose last digit is 期; empty means the newest 期号 + 1.
    RuleJudge(const std::vector<HistoricDraw>& history, std::size_t last,
              const std::string& nextIssue = {});

    RuleJudgement Judge(const Rule& rule, const RuleFormula& formula) const;
    std::vector<RuleJudgement> Judge(const RuleSet& rules) const;

    std::size_t WindowDraws() const { return draws_.size() - begin_; }
    const std::string& NextIssue() const { return nextIssue_; }
    // What the formulas read for the coming draw: the newest two draws and 期 of NextIssue.
    const RuleInputs& NextInputs() const { return next_; }

private:
    std::vector<HistoricDraw> draws_;
    std::vector<RuleInputs> inputs_; // [i]: the variables for predicting draw i
    std::size_t begin_ = 0;          // the window's first draw
    std::string nextIssue_;
    RuleInputs next_;
};

} // namespace tarvex
