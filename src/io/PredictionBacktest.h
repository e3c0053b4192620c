#pragma once

#include "engine/HistoricDraw.h"
#include "history/PredictionFigures.h"
#include "io/PredictionEntry.h"

#include <map>
#include <string>
#include <vector>

namespace tarvex {

// The in-sample figure beside the live one: each scheme among the entries backtested over
// the draws of its lottery before the target of its first entry, the draws it could have
// been chosen on. Schemes whose kill run stops on a message, or that cannot be read back,
// add nothing.
class PredictionBacktest {
public:
    static PredictionFigures Run(const std::vector<PredictionEntry>& entries,
                                 const std::vector<bool>& keep,
                                 const std::map<std::string, std::vector<HistoricDraw>>& histories);
    // One scheme's figures over `draws` (oldest first).
    static PredictionFigures Scheme(const std::string& schemeText, int level,
                                    const std::vector<HistoricDraw>& draws);
    // The draws before `issue`, oldest first.
    static std::vector<HistoricDraw> Before(const std::vector<HistoricDraw>& draws,
                                            const std::string& issue);
};

} // namespace tarvex
