#include "cli/CliRulesJson.h"
#include "history/RuleBacktest.h"
#include "history/RuleSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

QJsonObject Parsed(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << bytes.left(300).toStdString();
    return document.object();
}

// Sums 13, 7, 15, 6, 17, 10, 0, 27; 出2胆 with one dan digit stops wherever 胆 adds none.
const std::vector<HistoricDraw> kHistory{{"2026101", 409}, {"2026102", 7},   {"2026103", 555},
                                         {"2026104", 123}, {"2026105", 980}, {"2026106", 316},
                                         {"2026107", 0},   {"2026108", 999}};

TEST(CliRulesJson, BacktestObjectHoldsEveryDrawAndTheTotals) {
    Settings scheme;
    scheme.danCount = 2;
    scheme.dan[7] = true;
    std::string error;
    const std::optional<RuleSet> rules =
        RuleSet::Compile({{RuleTarget::Dan, "尾1"}, {RuleTarget::SumTail, "和2"}}, &error);
    ASSERT_TRUE(rules) << error;
    const RuleBacktestResult result = RunRuleBacktest(scheme, 2, *rules, kHistory, 0);
    ASSERT_EQ(result.draws.size(), 6u);
    ASSERT_GT(result.stopped, 0);

    const QJsonObject json = Parsed(CliRulesJson::Backtest(result, *rules));
    EXPECT_EQ(json.keys(), (QStringList{"conditions", "draws", "rules", "spans", "summary"}));
    const QJsonArray listed = json["rules"].toArray();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].toObject()["target"].toString(), QStringLiteral("胆"));
    EXPECT_EQ(listed[1].toObject()["formula"].toString(), QStringLiteral("和2"));

    const QJsonArray draws = json["draws"].toArray();
    ASSERT_EQ(draws.size(), 6);
    for (qsizetype i = 0; i < draws.size(); ++i) {
        const RuleBacktestDraw& want = result.draws[static_cast<std::size_t>(i)];
        const QJsonObject got = draws[i].toObject();
        SCOPED_TRACE(want.draw.issue);
        EXPECT_EQ(got["issue"].toString().toStdString(), want.draw.issue);
        EXPECT_EQ(got["number"].toString().toInt(), want.draw.number);
        EXPECT_EQ(got["number"].toString().size(), 3);
        const QJsonArray values = got["values"].toArray();
        ASSERT_EQ(values.size(), 2);
        EXPECT_EQ(values[0].toInt(), want.values[0]);
        EXPECT_EQ(values[1].toInt(), want.values[1]);
        EXPECT_EQ(got["survivesKill"].toBool(), want.draw.survivesKill);
        EXPECT_EQ(got["survivesTolerance"].toBool(), want.draw.survivesTolerance);
        EXPECT_EQ(got["labels"].toArray().size(), static_cast<qsizetype>(want.draw.labels.size()));
        EXPECT_EQ(got["count"].toInt(), want.draw.count);
        EXPECT_EQ(got["toleranceCount"].toInt(), want.toleranceCount);
        if (want.message.empty()) {
            EXPECT_TRUE(got["message"].isNull());
        } else {
            EXPECT_EQ(got["message"].toString().toStdString(), want.message);
        }
    }
    const QJsonArray conditions = json["conditions"].toArray();
    ASSERT_EQ(conditions.size(), 27);
    for (qsizetype row = 0; row < 27; ++row) {
        const BacktestCondition& want = result.conditions[static_cast<std::size_t>(row)];
        EXPECT_EQ(conditions[row]["rejected"].toInt(), want.rejected);
        EXPECT_EQ(conditions[row]["expectedRejected"].toDouble(), want.ExpectedRejected());
    }
    const QJsonArray spans = json["spans"].toArray();
    ASSERT_EQ(spans.size(), 3);
    EXPECT_EQ(spans[0]["newest"].toInt(), 30);
    EXPECT_EQ(spans[1]["newest"].toInt(), 100);
    EXPECT_TRUE(spans[2]["newest"].isNull());
    for (qsizetype s = 0; s < 3; ++s) {
        const BacktestSpan& want = result.spans[static_cast<std::size_t>(s)];
        EXPECT_EQ(spans[s]["draws"].toInt(), 6); // a window of six: every span holds it all
        EXPECT_EQ(spans[s]["chanceWins"].toDouble(), want.ChanceWins());
        EXPECT_EQ(spans[s]["conditions"].toArray().size(), 27);
    }
    const QJsonObject summary = json["summary"].toObject();
    EXPECT_EQ(summary["tested"].toInt(), 6);
    EXPECT_EQ(summary["wonAfterKill"].toInt(), result.wonAfterKill);
    EXPECT_EQ(summary["wonAfterTolerance"].toInt(), result.wonAfterTolerance);
    EXPECT_EQ(summary["countPlayed"].toInteger(), result.countPlayed);
    EXPECT_EQ(summary["toleranceCountPlayed"].toInteger(), result.toleranceCountPlayed);
    EXPECT_EQ(summary["chanceWins"].toDouble(), result.countPlayed / 1000.0);
    EXPECT_EQ(summary["chanceWinsAfterTolerance"].toDouble(), result.toleranceCountPlayed / 1000.0);
    EXPECT_EQ(summary["stopped"].toInt(), result.stopped);
}

} // namespace
} // namespace tarvex
