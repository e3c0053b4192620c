#pragma once

#include "io/DrawHistory.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarvex {

// The shipped national 3D history (7,731 draws), read once; a benchmark without it stops.
inline const std::vector<HistoricDraw>& ShippedFc3d() {
    static const std::vector<HistoricDraw> draws = [] {
        const DrawHistoryResult read =
            DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        if (!read.ok() || read.draws.empty()) {
            std::fprintf(stderr, "cannot read %s\n", TARVEX_DATA_DIR "/fc3d-history.txt");
            std::exit(1);
        }
        return read.draws;
    }();
    return draws;
}

} // namespace tarvex
