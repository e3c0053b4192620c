#pragma once

#include "engine/HistoricDraw.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

// Histories the core tests share: the shipped files, read once, and seeded random ones.
namespace tarvex::testing_history {

inline const std::vector<HistoricDraw>& Shipped(const char* name) {
    static std::map<std::string, std::vector<HistoricDraw>> loaded;
    auto it = loaded.find(name);
    if (it == loaded.end()) {
        const DrawHistoryResult result =
            DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/") + QString::fromUtf8(name));
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        it = loaded.emplace(name, result.draws).first;
    }
    return it->second;
}

// `size` draws with 期号 counting up from 2020001; numbers drawn from `pool` numbers (all
// 1,000 by default) so that a small pool leaves items that never hold and long runs.
inline std::vector<HistoricDraw> Random(unsigned seed, std::size_t size, int pool = 1000) {
    std::mt19937 random(seed);
    std::vector<int> numbers(1000);
    for (int n = 0; n < 1000; ++n) {
        numbers[static_cast<std::size_t>(n)] = n;
    }
    std::shuffle(numbers.begin(), numbers.end(), random);
    std::uniform_int_distribution<int> pick(0, pool - 1);
    std::vector<HistoricDraw> history;
    for (std::size_t i = 0; i < size; ++i) {
        history.push_back(
            {std::to_string(2020001 + i), numbers[static_cast<std::size_t>(pick(random))]});
    }
    return history;
}

} // namespace tarvex::testing_history
