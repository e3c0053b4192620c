#pragma once

#include "AnalysisModel.h"
#include "HistoryCases.h"
#include "history/Analysis.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

// What the analysis tests hold the engine's figures to the literal model with.
namespace tarvex::testing_history {

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
