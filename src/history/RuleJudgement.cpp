#include "history/RuleJudgement.h"

#include <cmath>

namespace tarvex {

double RuleJudgement::StandardError() const {
    if (tested == 0) {
        return 0.0;
    }
    return std::sqrt(static_cast<double>(chanceSpread)) / (1000.0 * tested);
}

bool RuleJudgement::WithinNoise() const {
    return std::abs(Margin()) <= 2.0 * StandardError();
}

} // namespace tarvex
