#pragma once

#include "history/Analysis.h"

#include <QByteArray>

#include <cstddef>
#include <vector>

namespace tarvex {

// Analyses as the JSON object tarvex-cli analyze --json prints:
// {"draws": N, "first": 期号, "last": 期号, "analyses": [{"name": …, "rows": […]}, …]}.
// Figures are written whole (the shortest text that reads back as the same double).
class AnalysisJson {
public:
    static QByteArray Write(const std::vector<HistoricDraw>& history, std::size_t last,
                            const std::vector<Analysis>& analyses);
};

} // namespace tarvex
