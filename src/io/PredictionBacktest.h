#pragma once

#include "engine/HistoricDraw.h"
#include "engine/Progress.h"
#include "history/PredictionFigures.h"
#include "io/PredictionEntry.h"

#include <map>
#include <string>
#include <vector>

namespace tarvex {

// The in-sample figure beside the live one: each scheme with a live entry (neither 事后 nor
// 已改动) backtested over the draws of its lottery before the target of its first live
// entry, the draws it could have been chosen on — the newest kMaxDraws of them, so that a
// record of many schemes with rules opens in seconds, not minutes. A scheme seen only after
// the fact adds nothing, nor does one whose kill run stops on a message or that cannot be
// read back. `progress` is told after each scheme; when it answers false the run stops and
// the figures are those of the schemes done so far.
class PredictionBacktest {
public:
    static constexpr std::size_t kMaxDraws = 1000;

    static PredictionFigures Run(const std::vector<PredictionEntry>& entries,
                                 const std::vector<PredictionOutcome>& outcomes,
                                 const std::vector<bool>& keep,
                                 const std::map<std::string, std::vector<HistoricDraw>>& histories,
                                 const ProgressFn& progress = {});
    // One scheme's figures over the newest kMaxDraws of `draws` (oldest first).
    static PredictionFigures Scheme(const std::string& schemeText, int level,
                                    const std::vector<HistoricDraw>& draws);
    // The draws before `issue`, oldest first.
    static std::vector<HistoricDraw> Before(const std::vector<HistoricDraw>& draws,
                                            const std::string& issue);
};

} // namespace tarvex
