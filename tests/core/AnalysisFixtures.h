#pragma once

#include "AnalysisModel.h"
#include "history/Analysis.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

// Histories the analysis tests share: the shipped national files, read once, and seeded
// random ones.
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

inline void ExpectSame(const Analysis& core, const model::Analysis& model) {
    ASSERT_EQ(core.name, model.name);
    ASSERT_EQ(core.rows.size(), model.rows.size()) << core.name;
    for (std::size_t i = 0; i < core.rows.size(); ++i) {
        const OmissionRow& c = core.rows[i];
        const model::Row& m = model.rows[i];
        SCOPED_TRACE(core.name + " " + m.item);
        EXPECT_EQ(c.item, m.item);
        EXPECT_EQ(c.hits, m.hits);
        EXPECT_EQ(c.current, m.current);
        EXPECT_EQ(c.max, m.max);
        EXPECT_DOUBLE_EQ(c.average, m.average);
        ASSERT_EQ(c.expected.has_value(), m.expected.has_value());
        if (m.expected) {
            EXPECT_DOUBLE_EQ(*c.expected, *m.expected);
        }
    }
    ASSERT_EQ(core.danRows.size(), model.danRows.size()) << core.name;
    for (std::size_t i = 0; i < core.danRows.size(); ++i) {
        const DanMethodRow& c = core.danRows[i];
        const model::DanRow& m = model.danRows[i];
        SCOPED_TRACE(m.item);
        EXPECT_EQ(c.item, m.item);
        EXPECT_EQ(c.tested, m.tested);
        EXPECT_EQ(c.hits, m.hits);
        EXPECT_EQ(c.currentMiss, m.currentMiss);
        EXPECT_EQ(c.maxMiss, m.maxMiss);
        ASSERT_EQ(c.chance.has_value(), m.chance.has_value());
        ASSERT_EQ(c.hitRate.has_value(), m.hitRate.has_value());
        if (m.chance) {
            EXPECT_NEAR(*c.chance, *m.chance, 1e-12);
            EXPECT_DOUBLE_EQ(*c.hitRate, *m.hitRate);
        }
    }
}

} // namespace tarvex::testing_history
